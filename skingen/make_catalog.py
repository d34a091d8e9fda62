#!/usr/bin/env python3
"""Generates the sample tool catalog of our Pellix.dll with an icon per tool.

Usage: make_catalog.py OUTPUT_DIR
Writes OUTPUT_DIR/PellixCatalog.ini, OUTPUT_DIR/PellixUpdate.ini (the source
that Refresh reads: the same tools and two more) and OUTPUT_DIR/ToolIcons/*.png.
"""
import colorsys
import math
import os
import sys
from raster import Raster, write_scaled

ICON = 48

# (name, description); a few tools are not listed, to show that they are skipped.
TOOLS = [
    ("Text Editor", "Edits plain text files with syntax colouring."),
    ("计算器", "科学计算与单位换算。"),
    ("Screen Capture", "Captures a window, a region or the whole screen."),
    ("图片查看器", "快速浏览和旋转图片。"),
    ("Disk Cleaner", "Removes temporary files and empty folders."),
    ("Color Picker", "Reads the colour under the pointer in six notations."),
    ("文件比较", "逐行比较两个文本文件的差异。"),
    ("Hex Viewer", "Shows any file as bytes, text and numbers."),
    ("Archive Manager", "Packs and unpacks ZIP and 7z archives."),
    ("网络诊断", "检测连接、延迟和域名解析问题。"),
    ("Batch Rename", "Renames many files at once by a pattern."),
    ("Clipboard History", "Keeps the last hundred clipboard entries."),
    ("系统信息", "显示处理器、内存和磁盘的详细信息。"),
    ("Unit Converter", "Converts lengths, weights, temperatures and more."),
    ("Font Browser", "Previews the installed fonts with your own sample text."),
    ("任务计划", "按时间或事件自动运行工具。"),
    ("Markdown Preview", "Renders Markdown files as you type."),
    ("Icon Maker", "Builds multi-size icons from one picture."),
    ("日志查看器", "按级别和时间筛选日志文件。"),
    ("Registry Snapshot", "Saves and compares registry branches."),
    ("Port Scanner", "Lists the open ports of this computer."),
    ("二维码生成", "把文字或网址生成二维码图片。"),
    ("JSON Formatter", "Indents, validates and minifies JSON text."),
    ("Audio Recorder", "Records from any input device to WAV or MP3."),
    ("屏幕取色", "拾取屏幕上任意位置的颜色值。"),
    ("Password Generator", "Creates strong passwords of any length."),
    ("Duplicate Finder", "Finds files with the same content."),
    ("定时关机", "在指定时间关机、重启或休眠。"),
    ("Checksum Tool", "Computes MD5, SHA-1 and SHA-256 of files."),
    ("Window Pinner", "Keeps any window on top of the others."),
    ("编码转换", "在 GBK、UTF-8 和 UTF-16 之间转换文本。"),
    ("Process Watcher", "Shows which programs use the processor."),
    ("Startup Manager", "Chooses the programs that start with Windows."),
    ("截图标注", "在截图上添加箭头、文字和马赛克。"),
    ("Time Zone Clock", "Shows the time in several cities at once."),
    ("Backup Scheduler", "Copies chosen folders to a backup drive."),
    ("剪贴板同步", "在多台电脑之间同步剪贴板。"),
    ("Regex Tester", "Tries regular expressions on sample text."),
    ("Color Blindness Check", "Simulates how pictures look with colour blindness."),
    ("Network Speed", "Measures download and upload speed."),
    ("Legacy Importer", "Imports settings of an old version (hidden)."),
    ("Diagnostics Agent", "Collects crash reports for support (hidden)."),
]
EXTRA_TOOLS = [
    ("New: Snippet Keeper", "Stores reusable snippets of text and code."),
    ("新：书签管理", "整理并同步浏览器书签。"),
]
HIDDEN = {"Legacy Importer", "Diagnostics Agent"}
COMMANDS = ["notepad.exe", "calc.exe", "write.exe", "regedit.exe", "taskmgr.exe",
            "control.exe", "explorer.exe", "winver.exe", "cmd.exe /k echo Tool started"]


def glyph(img, kind, white):
    c = ICON / 2.0
    if kind == 0:
        img.circle(c, c, 11, white)
    elif kind == 1:
        img.ring(c, c, 12, 4, white)
    elif kind == 2:
        img.polygon([(c, 12), (36, 34), (12, 34)], white)
    elif kind == 3:
        for i, h in enumerate((10, 18, 24)):
            img.fill_rect(13 + i * 8, 36 - h, 19 + i * 8, 36, white)
    elif kind == 4:
        for gx in (14, 26):
            for gy in (14, 26):
                img.rounded_rect(gx, gy, gx + 8, gy + 8, 2, white)
    elif kind == 5:
        img.polygon([(c, 10), (38, c), (c, 38), (10, c)], white)
    elif kind == 6:
        img.fill_rect(21, 12, 27, 36, white)
        img.fill_rect(12, 21, 36, 27, white)
    else:
        img.shape(lambda fx, fy: abs(fy - (c + 7 * math.sin((fx - 10) / 4.0))) < 2.5 and 10 <= fx <= 38, white)


def tool_icon(index, scale):
    hue = (index * 0.137) % 1.0
    r, g, b = colorsys.hsv_to_rgb(hue, 0.62, 0.86)
    top = (int(r * 255), int(g * 255), int(b * 255), 255)
    img = Raster(ICON, ICON, scale)
    img.rounded_rect(3, 3, ICON - 3, ICON - 3, 10, top)
    img.rounded_rect(3, 3, ICON - 3, ICON / 2, 10, (255, 255, 255, 40))
    glyph(img, index % 8, (255, 255, 255, 240))
    return img


def tool_id(index):
    return "sample.tool.%02d" % (index + 1)


def catalog_text(tools, source):
    lines = ["; Sample tool catalog of Pellix.dll (UTF-8). See PellixSDK.h for the calls.",
             "[Catalog]"]
    if source:
        lines.append("Source=%s" % source)
    for i, (name, desc) in enumerate(tools):
        lines += ["", "[Tool]",
                  "Name=%s" % name,
                  "Id=%s" % tool_id(i),
                  "Version=%d.%d.%d" % (1 + i % 3, (i * 7) % 10, i),
                  "Description=%s" % desc,
                  "Icon=ToolIcons\\tool%02d.png" % (i + 1),
                  "Listed=%d" % (0 if name in HIDDEN else 1),
                  "Command=%s" % COMMANDS[i % len(COMMANDS)]]
    return "\r\n".join(lines) + "\r\n"


def main():
    out = sys.argv[1]
    icons = os.path.join(out, "ToolIcons")
    os.makedirs(icons, exist_ok=True)
    every = TOOLS + EXTRA_TOOLS
    for i in range(len(every)):
        # Two tools keep the icon path of a missing file, so the skin's default icon shows.
        if i in (6, 17):
            continue
        # With its variants at 1.5 and 2, which the panel finds beside it.
        write_scaled(os.path.join(icons, "tool%02d.png" % (i + 1)), lambda scale: tool_icon(i, scale))
    with open(os.path.join(out, "PellixCatalog.ini"), "wb") as f:
        f.write(catalog_text(TOOLS, "PellixUpdate.ini").encode("utf-8"))
    with open(os.path.join(out, "PellixUpdate.ini"), "wb") as f:
        f.write(catalog_text(every, "PellixUpdate.ini").encode("utf-8"))


if __name__ == "__main__":
    main()

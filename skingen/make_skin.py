#!/usr/bin/env python3
"""Generates the default skin: Config/Morvel_SCfg.xml and its images in Config/Default.

Usage: make_skin.py OUTPUT_DIR   (OUTPUT_DIR receives the Config folder)
"""
import os
import sys
from raster import VARIANT_SCALES, Raster, icon_file, lerp_colour, strip, write_file, write_scaled

SHEET_W, SHEET_H = 360, 480
HEADER_H = 56
LIST_MARGINS = (12, 64, 12, 12)          # left, top, right, bottom of the tool grid
ITEM_W, ITEM_H, ITEM_GAP = 76, 92, 4
ICON = 48
BUTTON_W, BUTTON_H = 88, 28
# The tool grid's scroll bar: a thin bar inside the list area's right edge.
# Its images are 32 high with rounded ends of BAR_CAP pixels, which the
# slices keep unstretched.
BAR_W, BAR_INSET, BAR_CAP = 8, (5, 6), 4
BAR_IMAGE_H = 32
BAR_THUMB_MIN = 24

WHITE = (255, 255, 255, 255)


def background(scale):
    img = Raster(SHEET_W, SHEET_H, scale)
    img.vertical_gradient(0, 0, SHEET_W, SHEET_H, (46, 59, 85, 255), (24, 30, 46, 255))
    img.vertical_gradient(0, 0, SHEET_W, HEADER_H, (58, 76, 112, 255), (40, 52, 78, 255))
    img.fill_rect(0, HEADER_H - 1, SHEET_W, HEADER_H, (92, 118, 170, 255))
    left, top, right, bottom = LIST_MARGINS
    img.rounded_rect(left - 4, top - 4, SHEET_W - right + 4, SHEET_H - bottom + 4, 8, (255, 255, 255, 12))
    img.rounded_frame(left - 4, top - 4, SHEET_W - right + 4, SHEET_H - bottom + 4, 8, 1, (255, 255, 255, 30))
    # A one-pixel frame keeps the borderless popup distinct from what lies behind it.
    img.fill_rect(0, 0, SHEET_W, 1, (96, 120, 170, 255))
    img.fill_rect(0, SHEET_H - 1, SHEET_W, SHEET_H, (16, 20, 30, 255))
    img.fill_rect(0, 0, 1, SHEET_H, (96, 120, 170, 255))
    img.fill_rect(SHEET_W - 1, 0, SHEET_W, SHEET_H, (16, 20, 30, 255))
    return img


def item_strip(scale):
    """Four frames: normal (clear), hover, pressed, disabled."""
    looks = [None,
             ((255, 255, 255, 34), (150, 190, 255, 120)),
             ((110, 150, 240, 80), (170, 205, 255, 190)),
             ((0, 0, 0, 50), (90, 90, 100, 90))]
    frames = []
    for look in looks:
        frame = Raster(ITEM_W, ITEM_H, scale)
        if look:
            fill, border = look
            frame.rounded_rect(1, 1, ITEM_W - 1, ITEM_H - 1, 9, fill)
            frame.rounded_frame(1, 1, ITEM_W - 1, ITEM_H - 1, 9, 1.2, border)
        frames.append(frame)
    return strip(frames, ITEM_W, ITEM_H, scale)


def button_strip(scale):
    """Four frames: normal, hover, pressed, disabled."""
    looks = [((72, 124, 222, 255), (52, 98, 190, 255)),
             ((92, 146, 242, 255), (66, 116, 214, 255)),
             ((40, 76, 150, 255), (52, 92, 170, 255)),
             ((84, 90, 104, 255), (70, 76, 88, 255))]
    frames = []
    for top, bottom in looks:
        shape = Raster(BUTTON_W, BUTTON_H, scale)
        shape.rounded_rect(0.5, 0.5, BUTTON_W - 0.5, BUTTON_H - 0.5, 6, WHITE)
        frame = Raster(BUTTON_W, BUTTON_H, scale)
        for y in range(frame.height):
            tint = lerp_colour(top, bottom, y / (frame.height - 1))
            for x in range(frame.width):
                a = shape.get(x, y)[3]
                if a:
                    frame.put(x, y, (tint[0], tint[1], tint[2], a))
        frame.rounded_frame(0.5, 0.5, BUTTON_W - 0.5, BUTTON_H - 0.5, 6, 1, (255, 255, 255, 40))
        frames.append(frame)
    return strip(frames, BUTTON_W, BUTTON_H, scale)


def scroll_track(scale):
    img = Raster(BAR_W, BAR_IMAGE_H, scale)
    img.rounded_rect(0, 0, BAR_W, BAR_IMAGE_H, BAR_CAP, (255, 255, 255, 16))
    return img


def scroll_thumb(scale):
    """Three frames: normal, hot, pressed, each lighter than the one before."""
    looks = [(112, 128, 162, 200), (146, 166, 206, 230), (182, 202, 240, 255)]
    frames = []
    for colour in looks:
        frame = Raster(BAR_W, BAR_IMAGE_H, scale)
        frame.rounded_rect(0, 0, BAR_W, BAR_IMAGE_H, BAR_CAP, colour)
        frames.append(frame)
    return strip(frames, BAR_W, BAR_IMAGE_H, scale)


def grid_columns(list_w):
    """Columns of the tool grid in a list area list_w wide (the reference's rule)."""
    pitch = ITEM_W + ITEM_GAP
    return list_w // pitch + (1 if list_w % pitch + ITEM_GAP > ITEM_W else 0)


def refresh_glyph(scale, size=16, colour=WHITE):
    img = Raster(size, size, scale)
    c = size / 2.0
    img.shape(lambda fx, fy: (c - 2.2) ** 2 <= (fx - c) ** 2 + (fy - c) ** 2 <= (c - 0.5) ** 2
              and not (fx > c and fy < c), colour)
    img.polygon([(c + 0.5, 0.5), (size - 0.5, c - 0.5), (c + 0.5, c - 0.5)], colour)
    return img


def default_tool_icon(scale):
    img = Raster(ICON, ICON, scale)
    img.rounded_rect(3, 3, ICON - 3, ICON - 3, 10, (120, 130, 150, 255))
    img.rounded_rect(3, 3, ICON - 3, ICON / 2, 10, (255, 255, 255, 30))
    img.fill_rect(16, 20, 32, 36, (235, 238, 245, 255))
    img.circle(24, 17, 5, (235, 238, 245, 255))
    img.circle(35, 28, 5, (235, 238, 245, 255))
    return img


def empty_box_icon(scale):
    img = Raster(64, 64, scale)
    grey = (150, 165, 195, 255)
    img.polygon([(8, 26), (32, 38), (56, 26), (56, 52), (32, 62), (8, 52)], (70, 84, 114, 255))
    img.polygon([(8, 26), (32, 14), (56, 26), (32, 38)], (98, 116, 152, 255))
    img.polygon([(8, 26), (32, 38), (26, 46), (2, 34)], grey)
    img.polygon([(56, 26), (32, 38), (38, 46), (62, 34)], grey)
    return img


def window_icon(scale):
    img = Raster(32, 32, scale)
    img.rounded_rect(1, 1, 31, 31, 7, (72, 124, 222, 255))
    for gx in (7, 18):
        for gy in (7, 18):
            img.rounded_rect(gx, gy, gx + 7, gy + 7, 2, WHITE)
    return img


def skin_xml():
    left, top, right, bottom = LIST_MARGINS
    list_w = SHEET_W - left - right
    mid_y = top + (SHEET_H - top - bottom) // 2
    dialog_info = [
        ("Title", "Tool Manager"),
        ("Icon", "ToolMgr.ico"),
        ("BackBmp", "ToolMgrBack.png"),
        ("SheetSize", "%d,%d" % (SHEET_W, SHEET_H)),
        ("IsLayerWnd", "0"),
        ("AlpahValue", "100"),
        ("IsDrag", "1"),
        ("CaptionHeight", str(HEADER_H)),
        ("FontName", "Arial"),
        ("FontSize", "12"),
        ("FontWeight", "400"),
        ("FontCharSet", "1"),
        ("FontColor", "0XFFE8ECF4;0XFF9AA3B5"),
        ("FontFormat", "0;1;1;3"),
        ("ShowToolTip", "1"),
        ("ToolTipWidth", "300"),
        ("DefaultToolIcon", "ToolDefault.png"),
        ("ToolTipParttern", "%s (version %s)&#13;&#10;%s"),
        ("PluginWndMarge", "%d,%d,%d,%d" % LIST_MARGINS),
    ]
    controls = [
        'ID="TITLE" ControlType="1" Name="Tool Manager" Pos="16,14,200,28" FontSize="17" FontFormat="1;0;1;3" '
        'FontColor="0XFFFFFFFF"',
        'ID="Refresh" ControlType="2" Name="Refresh" Pos="%d,14,%d,%d" BkImg="RefreshButton.png" '
        'Icon="RefreshIcon.png" FontSize="13" ToolTip="Fetch the tool list from the network again" '
        'FontColor="0XFFFFFFFF;0XFFB4BAC6" DrawFocus="1"' % (SHEET_W - 32 - BUTTON_W, BUTTON_W, BUTTON_H),
        'ID="ICON" ControlType="1" Pos="%d,%d,64,64" BkImg="EmptyBox.png"' % (left + list_w // 2 - 32, mid_y - 80),
        'ID="LABEL1" ControlType="1" Name="No tools are installed" Pos="%d,%d,%d,26" FontSize="16" '
        'FontFormat="1;1;1;3" FontColor="0XFFFFFFFF"' % (left, mid_y - 4, list_w),
        'ID="LABEL2" ControlType="1" Name="Press Refresh to fetch the list of tools" Pos="%d,%d,%d,20"'
        % (left, mid_y + 26, list_w),
        'ID="LABEL3" ControlType="1" Name="that are available for this program." Pos="%d,%d,%d,20"'
        % (left, mid_y + 46, list_w),
    ]
    list_info = [
        ("ItemBmp", "ToolItem.png"),
        ("FontName", "Arial"),
        ("FontSize", "12"),
        ("FontColor", "0XFFE8ECF4"),
        ("FontFormat", "0;1;0;3"),
        ("ListItemSpec", "%d;%d;%d;%d" % (ITEM_W, ITEM_H, ITEM_GAP, ITEM_GAP)),
        ("ItemIconPos", "%d,8" % ((ITEM_W - ICON) // 2)),
        ("ItemStringRect", "3,60,%d,30" % (ITEM_W - 6)),
        ("ShowToolTip", "1"),
        ("ToolTipWidth", "300"),
    ]
    # The bar narrows the grid; it must not cost a column.
    if grid_columns(list_w - BAR_W - BAR_INSET[0]) != grid_columns(list_w):
        raise ValueError("the scroll bar leaves the grid fewer columns")
    slice_text = "0;%d;0;%d" % (BAR_CAP, BAR_CAP)
    bar_info = [
        ("Width", str(BAR_W)),
        ("Inset", "%d,%d" % BAR_INSET),
        ("TrackBmp", "ScrollTrack.png"),
        ("TrackSlice", slice_text),
        ("ThumbBmp", "ScrollThumb.png"),
        ("ThumbSlice", slice_text),
        ("ThumbMinLength", str(BAR_THUMB_MIN)),
        ("AutoHide", "0"),
    ]

    def info(rows):
        return "\n".join('        <Item ItemID="%s" Data="%s"/>' % row for row in rows)
    return """<?xml version="1.0" encoding="UTF-8"?>
<!-- Default skin of the tool manager panel. Images are in the folder Default. -->
<MorvelSkin>
  <CommonWindow>
    <ToolMgrUIDlg>
      <WindowInfo>
%s
      </WindowInfo>
      <DynamicInfo>
%s
      </DynamicInfo>
    </ToolMgrUIDlg>
    <ToolMgrList>
      <WindowInfo>
%s
      </WindowInfo>
    </ToolMgrList>
    <ToolMgrScrollBar>
      <WindowInfo>
%s
      </WindowInfo>
    </ToolMgrScrollBar>
  </CommonWindow>
</MorvelSkin>
""" % (info(dialog_info), "\n".join("        <Control %s/>" % c for c in controls), info(list_info), info(bar_info))


def main():
    out = os.path.join(sys.argv[1], "Config")
    images = os.path.join(out, "Default")
    # Each image also at 1.5 and 2 (NAME@1.5x.png, NAME@2x.png), drawn at that scale.
    write_scaled(os.path.join(images, "ToolMgrBack.png"), background)
    write_scaled(os.path.join(images, "ToolItem.png"), item_strip)
    write_scaled(os.path.join(images, "RefreshButton.png"), button_strip)
    write_scaled(os.path.join(images, "RefreshIcon.png"), refresh_glyph)
    write_scaled(os.path.join(images, "ToolDefault.png"), default_tool_icon)
    write_scaled(os.path.join(images, "EmptyBox.png"), empty_box_icon)
    write_scaled(os.path.join(images, "ScrollTrack.png"), scroll_track)
    write_scaled(os.path.join(images, "ScrollThumb.png"), scroll_thumb)
    # An icon file holds its sizes itself; the panel's window icon at 32, 48 and 64.
    write_file(os.path.join(images, "ToolMgr.ico"),
               icon_file([window_icon(1.0)] + [window_icon(scale) for scale, _ in VARIANT_SCALES]))
    write_file(os.path.join(out, "Morvel_SCfg.xml"), skin_xml().encode("utf-8"))


if __name__ == "__main__":
    main()

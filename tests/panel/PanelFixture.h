// The common frame of the panel tests: a module folder with the standard test
// skin, a tool catalog, the module loaded by a host, and the operations a user
// performs on the panel, each as real messages through the host's loop.
#pragma once
#include <memory>
#include <vector>
#include <gtest/gtest.h>
#include "CatalogWriter.h"
#include "ModuleHost.h"
#include "support/CRegistryValueScope.h"
#include "support/TestText.h"
#include "SkinWriter.h"

class PanelFixture : public ::testing::Test
{
protected:
    PanelFixture() : m_skin(m_host.Folder()) {}

    // Writes the skin, loads the module, creates the panel and shows it.
    // Returns the panel, or null (with a failure) when that did not work.
    HWND OpenPanel();
    HWND Panel() const { return m_host.Panel(); }

    // Mouse messages at a point in the panel's client coordinates.
    void MoveMouse(POINT pt);
    void Click(POINT pt);

    SCROLLINFO ScrollInfo() const;
    // The tooltip windows owned by the panel, and among them the list's: the
    // one that knows the panel's whole window as a tool.
    std::vector<HWND> PanelToolTips() const;
    HWND ListToolTip() const;
    CString ToolTipText(HWND hToolTip) const;
    bool IsControlVisible(int nId) const { return IsWindowVisible(GetDlgItem(Panel(), nId)) != FALSE; }

    // Sets the trace log's registry switch "Debug" to "1" or deletes it (and
    // deletes the other switch, "MorvelDebugFlag"); restored after the test.
    // The module reads the switches when it is loaded.
    void SwitchLogging(bool bOn);
    // The messages of the lines in a module folder's trace log, without the
    // thread and time prefix; empty when there is no log file.
    static std::vector<CString> LogMessages(const ModuleHost& host);

    ModuleHost m_host;
    SkinWriter m_skin;
    CatalogWriter m_catalog;

private:
    std::unique_ptr<CRegistryValueScope> m_pDebugSwitch;
    std::unique_ptr<CRegistryValueScope> m_pFlagSwitch;
};

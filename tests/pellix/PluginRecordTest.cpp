// The module's view of tool records: texts are read from inside their fixed
// fields only, up to the first NUL or to the field's end.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include "panel/PluginRecord.h"

namespace {

struct FieldCase
{
    const char* pszName;
    size_t nOffset;
    size_t cchField;
    std::function<CString(const CPluginRecord&)> read;
};

const std::vector<FieldCase>& Fields()
{
    static const std::vector<FieldCase> fields = {
        { "name", 0, 51, [](const CPluginRecord& r) { return r.GetName(); } },
        { "id", 102, 101, [](const CPluginRecord& r) { return r.GetId(); } },
        { "version", 304, 161, [](const CPluginRecord& r) { return r.GetVersion(); } },
        { "description", 626, 103, [](const CPluginRecord& r) { return r.GetDescription(); } },
        { "icon path", 832, 262, [](const CPluginRecord& r) { return r.GetIconPath(); } },
    };
    return fields;
}

wchar_t* FieldAt(void* pRecord, const FieldCase& field)
{
    return reinterpret_cast<wchar_t*>(static_cast<BYTE*>(pRecord) + field.nOffset);
}

// One read-write page followed by a page that faults on any access.
class GuardedPage
{
public:
    GuardedPage()
    {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        m_cbPage = info.dwPageSize;
        m_pBase = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * m_cbPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD dwOld = 0;
        m_bReady = m_pBase && VirtualProtect(m_pBase + m_cbPage, m_cbPage, PAGE_NOACCESS, &dwOld);
    }
    ~GuardedPage() { VirtualFree(m_pBase, 0, MEM_RELEASE); }
    GuardedPage(const GuardedPage&) = delete;
    GuardedPage& operator=(const GuardedPage&) = delete;

    bool IsReady() const { return m_bReady; }
    BYTE* End() const { return m_pBase + m_cbPage; } // first byte of the guard page

private:
    size_t m_cbPage = 0;
    BYTE* m_pBase = nullptr;
    bool m_bReady = false;
};

} // namespace

TEST(PluginRecord, FieldsFilledWithoutTerminatorGiveExactlyTheirOwnUnits)
{
    // Each field full to its last unit with a letter of its own: a reader that
    // ran on would pick up the next field's letter, one that stopped early
    // would come up short.
    _PLUGIN_INFO info = {};
    const wchar_t letters[] = L"NIVDP";
    for (size_t f = 0; f < Fields().size(); ++f)
        wmemset(FieldAt(&info, Fields()[f]), letters[f], Fields()[f].cchField);
    info.bFlags = 0xFF;
    CPluginRecord record(info);
    for (size_t f = 0; f < Fields().size(); ++f) {
        SCOPED_TRACE(Fields()[f].pszName);
        EXPECT_TRUE(Fields()[f].read(record) == CString(letters[f], static_cast<int>(Fields()[f].cchField)));
    }
}

TEST(PluginRecord, FieldEndingAtAnInaccessiblePageIsReadWithoutTouchingIt)
{
    GuardedPage page;
    ASSERT_TRUE(page.IsReady());
    for (const FieldCase& field : Fields()) {
        SCOPED_TRACE(field.pszName);
        // The record starts so that this field's last unit is the page's last
        // bytes; the record's later fields lie in the guard page, unread.
        BYTE* pRecord = page.End() - field.nOffset - field.cchField * sizeof(wchar_t);
        wchar_t* pField = FieldAt(pRecord, field);
        for (size_t i = 0; i < field.cchField; ++i)
            pField[i] = static_cast<wchar_t>(L'a' + i % 26);
        CString strText = field.read(CPluginRecord(*reinterpret_cast<const _PLUGIN_INFO*>(pRecord)));
        ASSERT_EQ(static_cast<int>(field.cchField), strText.GetLength());
        EXPECT_EQ(L'a', strText[0]);
        EXPECT_EQ(static_cast<wchar_t>(L'a' + (field.cchField - 1) % 26), strText[strText.GetLength() - 1]);
    }
}

TEST(PluginRecord, TextStopsAtTheFirstNulInsideTheField)
{
    struct Case { const wchar_t* pszStored; size_t cchStored; const wchar_t* pszExpected; };
    const Case cases[] = {
        { L"", 1, L"" },
        { L"ab\0cd", 6, L"ab" },
        { L"Grüße Редактор 工具 \U0001F527", 0, L"Grüße Редактор 工具 \U0001F527" },
    };
    for (const Case& c : cases) {
        _PLUGIN_INFO info;
        memset(&info, 0x41, sizeof(info)); // no NUL unit anywhere
        for (const FieldCase& field : Fields()) {
            size_t cch = c.cchStored ? c.cchStored : wcslen(c.pszStored) + 1;
            wmemcpy(FieldAt(&info, field), c.pszStored, cch);
        }
        CPluginRecord record(info);
        for (const FieldCase& field : Fields())
            EXPECT_TRUE(field.read(record) == c.pszExpected) << field.pszName;
    }
}

TEST(PluginRecord, OnlyBitZeroOfTheFlagsListsATool)
{
    const std::pair<BYTE, bool> cases[] = { { 0x00, false }, { 0x01, true }, { 0x03, true }, { 0xFE, false }, { 0xFF, true } };
    for (const auto& c : cases) {
        _PLUGIN_INFO info = {};
        info.bFlags = c.first;
        EXPECT_EQ(c.second, CPluginRecord(info).IsListed()) << "flags " << int(c.first);
    }
}

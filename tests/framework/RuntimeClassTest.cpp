// Run-time class information: names, IsKindOf along the base chain, and
// creation by class.
#include "FrameworkTestSupport.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

class CLevel1 : public CWnd
{
    DECLARE_DYNAMIC(CLevel1)
};
IMPLEMENT_DYNAMIC(CLevel1, CWnd)

class CLevel2 : public CLevel1
{
    DECLARE_DYNCREATE(CLevel2)
};
IMPLEMENT_DYNCREATE(CLevel2, CLevel1)

class CLevel3 : public CLevel2
{
    DECLARE_DYNAMIC(CLevel3)
};
IMPLEMENT_DYNAMIC(CLevel3, CLevel2)

// No declaration of its own: reports CLevel3's information, as in MFC.
class CUndeclared : public CLevel3
{
};

} // namespace

TEST(RuntimeClass, IsKindOfWalksTheBaseChain)
{
    CLevel1 level1;
    CLevel2 level2;
    CLevel3 level3;
    CUndeclared undeclared;
    CButton button;

    CRuntimeClass* kinds[] = { RUNTIME_CLASS(CObject), RUNTIME_CLASS(CWnd), RUNTIME_CLASS(CLevel1),
                               RUNTIME_CLASS(CLevel2), RUNTIME_CLASS(CLevel3), RUNTIME_CLASS(CButton) };
    struct Case
    {
        const CObject* pObject;
        const char* className;
        bool isKind[6];
    };
    const Case cases[] = {
        { &level1, "CLevel1", { true, true, true, false, false, false } },
        { &level2, "CLevel2", { true, true, true, true, false, false } },
        { &level3, "CLevel3", { true, true, true, true, true, false } },
        { &undeclared, "CLevel3", { true, true, true, true, true, false } },
        { &button, "CButton", { true, true, false, false, false, true } },
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.className, c.pObject->GetRuntimeClass()->m_lpszClassName);
        for (size_t k = 0; k < 6; ++k)
            EXPECT_EQ(c.isKind[k], c.pObject->IsKindOf(kinds[k]) != FALSE)
                << c.className << " kind of " << kinds[k]->m_lpszClassName;
    }
    EXPECT_EQ(RUNTIME_CLASS(CLevel3), undeclared.GetRuntimeClass());
}

TEST(RuntimeClass, OnlyDynCreateClassesAreCreatedByClass)
{
    std::unique_ptr<CObject> pCreated(RUNTIME_CLASS(CLevel2)->CreateObject());
    ASSERT_NE(nullptr, pCreated);
    EXPECT_EQ(RUNTIME_CLASS(CLevel2), pCreated->GetRuntimeClass());
    EXPECT_TRUE(pCreated->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CLevel1)->CreateObject());
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CLevel3)->CreateObject());
}

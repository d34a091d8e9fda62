// The test program plays the host: the module never starts GDI+ or the XML
// library itself, so the host does both once before any skin is read or drawn.
// A test program registers it once in one of its own files:
//   ::testing::Environment* const g_pHost = ::testing::AddGlobalTestEnvironment(new HostLikeEnvironment);
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

class HostLikeEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;

private:
    ULONG_PTR m_token = 0;
};

// Linked into every test program (tavrin_add_test): under ./tavrin heapcheck
// (TAVRIN_HEAP_CHECK set) every heap of the process is validated after each
// test, so that a write past a block or into a freed one shows next to the
// test that made it. Wine prints the heap's own error line; this prints the
// test's name.
#include <gtest/gtest.h>
#include <cstdio>
#include "support/HeapCheck.h"

namespace {

class CHeapCheckListener : public ::testing::EmptyTestEventListener
{
    void OnTestEnd(const ::testing::TestInfo& test) override
    {
        if (int nInvalid = InvalidProcessHeaps())
            fprintf(stderr, "heap check: %d heaps failed validation after %s.%s\n", nInvalid, test.test_suite_name(),
                    test.name());
    }
};

const bool g_bRegistered = HeapCheckRequested() &&
                           (::testing::UnitTest::GetInstance()->listeners().Append(new CHeapCheckListener), true);

} // namespace

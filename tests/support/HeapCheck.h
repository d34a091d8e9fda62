// Heap checking under Wine (docs/soak.md, "Heap checking"). With
// WINEDEBUG=warn+heap, Wine's heaps fill the unused tail of every block and
// every freed block with patterns, keep freed blocks aside for a while and
// refuse a second free of one at once ("delayed freed block"). A write past a
// block or into a freed one shows only when a heap is validated: the test
// programs and the soak validate every heap of the process at checkpoints
// (after each test, after each case) when TAVRIN_HEAP_CHECK is set, and Wine
// prints what it finds ("invalid block tail", "free block overwritten").
#pragma once

// TAVRIN_HEAP_CHECK is set (./tavrin heapcheck sets it).
bool HeapCheckRequested();
// Validates every heap of the process; the number of heaps that fail.
int InvalidProcessHeaps();

/* int CallMeasuringEsp(const void* pfn, const DWORD* pArgs, int nArgs, int* pEspDelta)
 *
 * Pushes nArgs 32-bit arguments right to left, calls pfn and stores in
 * *pEspDelta how far the stack pointer right after the return lies from
 * where it was before the first push: 0 when the callee removed its
 * arguments (__stdcall), -4 * nArgs when it left them to the caller
 * (__cdecl). The stack is then restored from the frame, so a callee that
 * removed the wrong amount cannot upset the test. Returns pfn's result. */
    .text
    .globl _CallMeasuringEsp
_CallMeasuringEsp:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    movl %esp, %edi          /* before the first push; %edi survives the call */
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    movl %esp, %ebx          /* right after the return, before any cleanup */
    subl %edi, %ebx
    movl 20(%ebp), %ecx
    movl %ebx, (%ecx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

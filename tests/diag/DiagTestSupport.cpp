#include "DiagTestSupport.h"
#include <string>

void MakeFileOfSize(const CString& strPath, DWORD cbSize)
{
    WriteFileBytes(strPath, std::string(cbSize, 'x'));
}

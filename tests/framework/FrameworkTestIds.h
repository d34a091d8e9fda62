// Resource identifiers of the framework test program.
#pragma once
#define IDD_FRAMEWORK_TEST 100
#define IDC_FRAMEWORK_LABEL 1001

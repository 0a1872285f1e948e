// Ids of the test-only template of the legacy frame's scalar read and write
// (resources/legacy_test.rc); no dialog of the program uses it.
#pragma once

// Legacy Frame Test (tests/legacy)
#define IDD_LEGACY_FRAME_TEST           9301
#define IDC_LEGACY_TEST_NAME            9302
#define IDC_LEGACY_TEST_CONTACT         9303
#define IDC_LEGACY_TEST_READ            9304
#define IDC_LEGACY_TEST_WRITE           9305

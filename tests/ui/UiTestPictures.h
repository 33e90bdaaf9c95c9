// Resource numbers of the test pictures (UiTestPictures.rc).
#pragma once
#define QS_TEST_PNG_RGBA 1001
#define QS_TEST_PNG_RGB 1002
#define QS_TEST_PNG_GRAY 1003
#define QS_TEST_PNG_PALETTE 1004

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "ui/SkinImage.h"

namespace {

// What the program sets up before any dialog: the common controls (date pickers) and the image codec.
class UiEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }

private:
    yk::GdiplusSession session_;
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new UiEnvironment);

} // namespace

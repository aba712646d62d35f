// The enumeration of devices and video modes: its lists built from made-up probes and
// display modes, and the machine's own enumeration under the offscreen driver.
#include "render/d3dx/d3dx_enumeration.h"

#include <cstdlib>
#include <memory>
#include <string>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "render/gl/d3dx_enumeration_lists.h"
#include "render/d3dx/device_selection.h"
#include "render/gl/gl_context.h"
#include "support/gl_test_window.h"

namespace {

SDL_DisplayMode DisplayMode(int width, int height, Uint32 format, int refreshRate = 60) {
  return {format, width, height, refreshRate, nullptr};
}

TEST(EnumerationListsTest, AHardwareRendererComesFirstAndTheSoftwareRasteriserAlways) {
  GlFeatures hardware;
  hardware.anisotropicFiltering = true;
  const std::vector<EnumeratedDevice> devices =
      DevicesFrom(ProbedRenderer{"Radeon Pro 9000", hardware});
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[0].kind, D3DDeviceKind::Hal);
  EXPECT_EQ(devices[0].description, "Radeon Pro 9000");
  EXPECT_TRUE(devices[0].features.anisotropicFiltering);
  EXPECT_EQ(devices[1].kind, D3DDeviceKind::Software);
  EXPECT_EQ(devices[1].description, "Software rasteriser (llvmpipe)");
  EXPECT_TRUE(devices[1].features.softwareRenderer);
  EXPECT_FALSE(devices[1].features.anisotropicFiltering);
}

TEST(EnumerationListsTest, ASoftwareProbeListsTheRasteriserOnceWithWhatItFound) {
  GlFeatures software;
  software.softwareRenderer = true;
  software.anisotropicFiltering = true;
  const std::vector<EnumeratedDevice> devices =
      DevicesFrom(ProbedRenderer{"llvmpipe (LLVM 15.0.6, 256 bits)", software});
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].kind, D3DDeviceKind::Software);
  EXPECT_TRUE(devices[0].features.anisotropicFiltering);

  const std::vector<EnumeratedDevice> withoutOpenGl = DevicesFrom(std::nullopt);
  ASSERT_EQ(withoutOpenGl.size(), 1u);
  EXPECT_EQ(withoutOpenGl[0].kind, D3DDeviceKind::Software);
}

TEST(EnumerationListsTest, ModesKeepSdlsOrderAndCountTrueColourAs32Bits) {
  const std::vector<D3DX_VIDMODEDESC> modes = VideoModesFrom(
      {DisplayMode(1920, 1080, SDL_PIXELFORMAT_RGB888, 60),
       DisplayMode(1920, 1080, SDL_PIXELFORMAT_RGB888, 50),
       DisplayMode(800, 600, SDL_PIXELFORMAT_RGB565), DisplayMode(640, 480, SDL_PIXELFORMAT_INDEX8),
       DisplayMode(0, 0, SDL_PIXELFORMAT_UNKNOWN)},
      DisplayMode(1920, 1080, SDL_PIXELFORMAT_RGB888));
  ASSERT_EQ(modes.size(), 4u);
  EXPECT_EQ(modes[0].bpp, 32u);
  EXPECT_EQ(modes[0].refreshRate, 60u);
  EXPECT_EQ(modes[1].refreshRate, 50u);
  EXPECT_EQ(modes[2].width, 800u);
  EXPECT_EQ(modes[2].bpp, 16u);
  EXPECT_EQ(modes[3].bpp, 8u);
}

TEST(EnumerationListsTest, ADisplayWithoutModesOffersItsDesktop) {
  const SDL_DisplayMode blank = DisplayMode(0, 0, SDL_PIXELFORMAT_UNKNOWN, 0);
  const std::vector<D3DX_VIDMODEDESC> modes =
      VideoModesFrom({blank}, DisplayMode(1024, 768, SDL_PIXELFORMAT_RGB888));
  ASSERT_EQ(modes.size(), 1u);
  EXPECT_EQ(modes[0].width, 1024u);
  EXPECT_EQ(modes[0].height, 768u);
  EXPECT_EQ(modes[0].bpp, 32u);
  EXPECT_TRUE(VideoModesFrom({blank}, std::nullopt).empty());
}

DWORD SoftwareDeviceIndex() {
  for (DWORD index = 0; index < D3DXGetDeviceCount(); ++index) {
    D3DX_DEVICEDESC description;
    if (D3DXGetDeviceDescription(index, &description) == S_OK &&
        description.d3dDeviceKind == D3DDeviceKind::Software) {
      return index;
    }
  }
  return D3DXGetDeviceCount();
}

TEST(EnumerationTest, ListsTheSoftwareRasteriserLastAndNoTransformAndLightingDevice) {
  const DWORD count = D3DXGetDeviceCount();
  ASSERT_GE(count, 1u);
  ASSERT_EQ(SoftwareDeviceIndex(), count - 1);
  D3DDEVICEDESC7 caps{};
  DDCAPS halCaps{};
  ASSERT_EQ(D3DXGetDeviceCaps(count - 1, &caps, &halCaps), S_OK);
  EXPECT_EQ(caps.dwDevCaps & (D3DDEVCAPS_HWRASTERIZATION | D3DDEVCAPS_HWTRANSFORMANDLIGHT), 0u);
  EXPECT_NE(halCaps.dwCaps2 & DDCAPS2_CANRENDERWINDOWED, 0u);

  for (DWORD index = 0; index < count; ++index) {
    D3DX_DEVICEDESC description;
    ASSERT_EQ(D3DXGetDeviceDescription(index, &description), S_OK);
    EXPECT_EQ(description.deviceIndex, index);
    EXPECT_NE(description.d3dDeviceKind, D3DDeviceKind::TnLHal);
    EXPECT_FALSE(description.driverDesc.empty());
  }
}

TEST(EnumerationTest, EveryDeviceOffersTheDisplaysModes) {
  const DWORD count = D3DXGetVideoModeCount(0, 0);
  ASSERT_GE(count, 1u);
  for (DWORD device = 0; device < D3DXGetDeviceCount(); ++device) {
    EXPECT_EQ(D3DXGetVideoModeCount(device, 0), count);
  }
  for (DWORD index = 0; index < count; ++index) {
    D3DX_VIDMODEDESC mode;
    ASSERT_EQ(D3DXGetVideoMode(0, 0, index, &mode), S_OK);
    EXPECT_GT(mode.width, 0u);
    EXPECT_GT(mode.height, 0u);
  }
}

TEST(EnumerationTest, RefusesUnknownDevicesAndModes) {
  const DWORD pastTheDevices = D3DXGetDeviceCount();
  D3DX_DEVICEDESC description;
  D3DDEVICEDESC7 caps;
  D3DX_VIDMODEDESC mode;
  EXPECT_EQ(D3DXGetDeviceDescription(pastTheDevices, &description), D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(D3DXGetDeviceDescription(0, nullptr), D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(D3DXGetDeviceCaps(pastTheDevices, &caps, nullptr), D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(D3DXGetDeviceCaps(0, nullptr, nullptr), S_OK);
  EXPECT_EQ(D3DXGetVideoModeCount(pastTheDevices, 0), 0u);
  EXPECT_EQ(D3DXGetVideoMode(pastTheDevices, 0, 0, &mode), D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(D3DXGetVideoMode(0, 0, D3DXGetVideoModeCount(0, 0), &mode), D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(D3DXGetVideoMode(0, 0, 0, nullptr), D3DXERR_INVALIDPARAMETER);
}

// Each test leaves the process as it found it: on the first device, nothing forced.
class DeviceSelectionTest : public testing::Test {
 protected:
  void TearDown() override {
    UseDeviceForNewContexts(0);
    unsetenv("LIBGL_ALWAYS_SOFTWARE");
    unsetenv("__GLX_VENDOR_LIBRARY_NAME");
  }
};

TEST_F(DeviceSelectionTest, TheSoftwareRasteriserServesTheContextsMadeAfterwards) {
  ASSERT_EQ(UseDeviceForNewContexts(SoftwareDeviceIndex()), S_OK);
  EXPECT_STREQ(std::getenv("LIBGL_ALWAYS_SOFTWARE"), "1");

  GlTestWindow window(16, 16);
  ASSERT_TRUE(window.valid()) << SDL_GetError();
  std::unique_ptr<GlContext> context;
  ASSERT_EQ(GlContext::Create(window.get(), &context), S_OK);
  EXPECT_TRUE(QueryGlFeatures().softwareRenderer)
      << reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

TEST_F(DeviceSelectionTest, AHardwareDeviceTakesTheSoftwareRasteriserBackOut) {
  D3DX_DEVICEDESC first;
  ASSERT_EQ(D3DXGetDeviceDescription(0, &first), S_OK);
  if (first.d3dDeviceKind != D3DDeviceKind::Hal) GTEST_SKIP() << "no hardware renderer here";
  ASSERT_EQ(UseDeviceForNewContexts(SoftwareDeviceIndex()), S_OK);
  ASSERT_EQ(UseDeviceForNewContexts(0), S_OK);
  EXPECT_EQ(std::getenv("LIBGL_ALWAYS_SOFTWARE"), nullptr);
  EXPECT_EQ(std::getenv("__GLX_VENDOR_LIBRARY_NAME"), nullptr);

  GlTestWindow window(16, 16);
  ASSERT_TRUE(window.valid()) << SDL_GetError();
  std::unique_ptr<GlContext> context;
  ASSERT_EQ(GlContext::Create(window.get(), &context), S_OK);
  EXPECT_EQ(reinterpret_cast<const char*>(glGetString(GL_RENDERER)), first.driverDesc);
}

TEST_F(DeviceSelectionTest, RefusesAnUnknownDevice) {
  EXPECT_EQ(UseDeviceForNewContexts(D3DXGetDeviceCount()), D3DXERR_INVALIDPARAMETER);
  EXPECT_EQ(std::getenv("LIBGL_ALWAYS_SOFTWARE"), nullptr);
}

}  // namespace

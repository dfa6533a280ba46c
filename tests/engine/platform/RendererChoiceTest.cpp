#include "engine/platform/sdl/RendererChoice.h"

#include <gtest/gtest.h>

namespace zb::platform {
namespace {

const std::vector<RenderDriver> kLinux = {{"opengl", true}, {"opengles2", true}, {"software", false}};

TEST(RendererChoice, SoftwareGlNamesAreRecognised) {
  EXPECT_TRUE(IsSoftwareGl("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(IsSoftwareGl("softpipe"));
  EXPECT_TRUE(IsSoftwareGl("Mesa DRI swrast"));
  EXPECT_TRUE(IsSoftwareGl("Software Rasterizer"));
  EXPECT_TRUE(IsSoftwareGl("GDI Generic"));
  EXPECT_FALSE(IsSoftwareGl("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(IsSoftwareGl("AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)"));
  EXPECT_FALSE(IsSoftwareGl("NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2"));
  EXPECT_FALSE(IsSoftwareGl(""));
}

TEST(RendererChoice, AGraphicsCardKeepsTheFirstAcceleratedDriver) {
  const RendererChoice first = ChooseRenderer(kLinux, "", "");  // before the name is known
  EXPECT_EQ(first.driver, 0);
  EXPECT_FALSE(first.software);
  const RendererChoice card = ChooseRenderer(kLinux, "Mesa Intel(R) UHD Graphics 620", "");
  EXPECT_EQ(card.driver, 0);
  EXPECT_FALSE(card.software);
  // Direct3D is no OpenGL: its GL name says nothing.
  const RendererChoice d3d =
      ChooseRenderer({{"direct3d11", true}, {"opengl", true}, {"software", false}}, "llvmpipe", "");
  EXPECT_EQ(d3d.driver, 0);
  EXPECT_FALSE(d3d.software);
}

TEST(RendererChoice, OpenGlOnTheProcessorOrNoAccelerationGivesTheSoftwareRenderer) {
  for (const char* name : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "swrast"}) {
    const RendererChoice choice = ChooseRenderer(kLinux, name, "");
    EXPECT_TRUE(choice.software) << name;
    EXPECT_EQ(choice.driver, 2) << name;
  }
  const RendererChoice none = ChooseRenderer({{"software", false}}, "", "");
  EXPECT_TRUE(none.software);
  EXPECT_EQ(none.driver, 0);
  const RendererChoice empty = ChooseRenderer({}, "", "");
  EXPECT_TRUE(empty.software);
  EXPECT_EQ(empty.driver, -1);
}

TEST(RendererChoice, WithoutAGraphicsDeviceOpenGlIsNotEvenStartedUnlessAsked) {
  EXPECT_FALSE(HasGraphicsDevice({}));
  EXPECT_FALSE(HasGraphicsDevice({"/dev/null", "/dev/dri", "/dev/fb0", "/dev/input/event3"}));
  EXPECT_TRUE(HasGraphicsDevice({"/dev/null", "/dev/dri/renderD128"}));
  EXPECT_TRUE(HasGraphicsDevice({"/dev/dri/card0"}));
  EXPECT_TRUE(HasGraphicsDevice({"/dev/nvidia0", "/dev/nvidiactl"}));
  EXPECT_TRUE(HasGraphicsDevice({"/dev/dxg"}));

  // Before any OpenGL name is known, the first choice is already the software renderer.
  const RendererChoice first = ChooseRenderer(kLinux, "", "", false);
  EXPECT_TRUE(first.software);
  EXPECT_EQ(first.driver, 2);
  // Another accelerated driver does not depend on the device files.
  const RendererChoice vulkan = ChooseRenderer({{"vulkan", true}, {"software", false}}, "", "", false);
  EXPECT_FALSE(vulkan.software);
  EXPECT_EQ(vulkan.driver, 0);
  // The user may still ask for OpenGL.
  const RendererChoice asked = ChooseRenderer(kLinux, "", "opengl", false);
  EXPECT_FALSE(asked.software);
  EXPECT_EQ(asked.driver, 0);
}

TEST(RendererChoice, TheUsersDriverWinsWhenListed) {
  const RendererChoice gl = ChooseRenderer(kLinux, "llvmpipe", "OpenGL");
  EXPECT_EQ(gl.driver, 0);
  EXPECT_FALSE(gl.software);
  const RendererChoice software = ChooseRenderer(kLinux, "Mesa Intel(R) UHD Graphics 620", "software");
  EXPECT_EQ(software.driver, 2);
  EXPECT_TRUE(software.software);
  const RendererChoice unknown = ChooseRenderer(kLinux, "llvmpipe", "metal");
  EXPECT_TRUE(unknown.software);
}

}  // namespace
}  // namespace zb::platform

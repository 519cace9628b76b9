// COMn to device: the per-user links, the fixed default table and the Windows names.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "link/PortNames.h"

namespace fs = std::filesystem;
using namespace vorix::link;

namespace {

// A temporary ports folder, removed with everything in it.
class PortsFolder {
public:
    PortsFolder() {
        std::string pattern = (fs::temp_directory_path() / "vorix-ports-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        // A real file standing in for a device, so links to it resolve.
        std::ofstream(path_ / "device-a") << "x";
    }
    ~PortsFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }
    void link(const std::string& name, const fs::path& target) { fs::create_symlink(target, path_ / name); }

private:
    fs::path path_;
};

struct DefaultRow {
    int number;
    std::optional<std::string> device;
};

} // namespace

TEST(PortNames, DefaultTableCoversOnlyOneToNinetySix) {
    const DefaultRow rows[] = {
        {1, "/dev/ttyS0"},    {2, "/dev/ttyS1"},    {32, "/dev/ttyS31"},    {33, "/dev/ttyUSB0"},
        {40, "/dev/ttyUSB7"}, {64, "/dev/ttyUSB31"}, {65, "/dev/ttyACM0"}, {96, "/dev/ttyACM31"},
        {97, std::nullopt},   {99, std::nullopt},   {0, std::nullopt},      {-1, std::nullopt},
        {100, std::nullopt},  {32767, std::nullopt},
    };
    const fs::path noFolder;
    for (const DefaultRow& row : rows) {
        SCOPED_TRACE(row.number);
        EXPECT_EQ(DefaultDevicePath(row.number), row.device);
        EXPECT_EQ(ResolvePortName(row.number, noFolder, PortNaming::Posix), row.device);
    }
}

TEST(PortNames, WindowsUsesTheSystemNameForOneToNinetyNine) {
    const DefaultRow rows[] = {
        {1, "COM1"}, {12, "COM12"}, {97, "COM97"}, {99, "COM99"}, {0, std::nullopt}, {100, std::nullopt},
    };
    PortsFolder folder;
    folder.link("com12", folder.path() / "device-a"); // links mean nothing on Windows
    for (const DefaultRow& row : rows) {
        SCOPED_TRACE(row.number);
        EXPECT_EQ(ResolvePortName(row.number, folder.path(), PortNaming::Windows), row.device);
    }
}

TEST(PortNames, LinkNames) {
    EXPECT_EQ(PortLinkName(3), "com3");
    EXPECT_EQ(PortLinkName(99), "com99");
}

TEST(PortNames, LinksInThePortsFolderOverrideTheDefault) {
    PortsFolder folder;
    const std::string device = fs::canonical(folder.path() / "device-a").string();
    folder.link("com3", folder.path() / "device-a");          // absolute target
    folder.link("com40", "device-a");                         // relative to the folder
    folder.link("com97", folder.path() / "com3");             // a link to a link resolves fully
    folder.link("com5", "/nonexistent/vorix-test-device");    // dangling: still the user's choice
    folder.link("COM6", folder.path() / "device-a");          // wrong case: not a port link
    folder.link("com100", folder.path() / "device-a");        // beyond COM99: ignored
    std::ofstream(folder.path() / "com7") << "not a link";    // a plain file: ignored

    const DefaultRow rows[] = {
        {3, device},
        {40, device},
        {97, device},
        {5, "/nonexistent/vorix-test-device"},
        {6, "/dev/ttyS5"},
        {7, "/dev/ttyS6"},
        {4, "/dev/ttyS3"},
        {98, std::nullopt},
        {100, std::nullopt},
    };
    for (const DefaultRow& row : rows) {
        SCOPED_TRACE(row.number);
        EXPECT_EQ(ResolvePortName(row.number, folder.path(), PortNaming::Posix), row.device);
    }
    EXPECT_EQ(LinkedDevicePath(3, folder.path()), device);
    EXPECT_EQ(LinkedDevicePath(4, folder.path()), std::nullopt);
}

TEST(PortNames, MissingFolderFallsBackToTheDefault) {
    EXPECT_EQ(ResolvePortName(33, "/nonexistent/vorix-ports", PortNaming::Posix), "/dev/ttyUSB0");
    EXPECT_EQ(LinkedDevicePath(33, "/nonexistent/vorix-ports"), std::nullopt);
}

TEST(PortNames, DescriptionsNameTheLinkTheDeviceOrItsAbsence) {
    PortsFolder folder;
    const std::string device = fs::canonical(folder.path() / "device-a").string();
    folder.link("com3", "device-a");
    folder.link("com5", "/nonexistent/vorix-test-device");
    const std::string links = folder.path().string();
    const struct {
        int number;
        PortNaming naming;
        std::string expected;
    } rows[] = {
        {3, PortNaming::Posix, "COM3 (" + links + "/com3 -> " + device + ")"},
        {5, PortNaming::Posix, "COM5 (" + links + "/com5 -> /nonexistent/vorix-test-device)"},
        {4, PortNaming::Posix, "COM4 (/dev/ttyS3)"},
        {98, PortNaming::Posix, "COM98 (no device)"},
        {3, PortNaming::Windows, "COM3 (COM3)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(DescribePort(row.number, folder.path(), row.naming), row.expected);
    }
}

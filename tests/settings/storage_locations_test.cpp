#include "settings/SettingsFile.h"
#include "settings/StorageLocations.h"
#include "support/Fakes.h"
#include "support/FileText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <unistd.h>

namespace splot {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup environmentOf(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const std::string& name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end())
            return std::nullopt;
        return it->second;
    };
}

TEST(StorageLocations, BesideTheExecutableWhenItsFolderIsWritable) {
    const auto env = environmentOf({{"HOME", "/home/me"}, {"XDG_CONFIG_HOME", "/home/me/cfg"}});
    const StorageLocations l = storageLocations("/opt/splot/splot.bin", env, true);
    EXPECT_EQ(l.settingsFile, "/opt/splot/splot.ini");
    EXPECT_EQ(l.picturePrefix, "/opt/splot/splot");
    EXPECT_TRUE(l.besideExecutable);
}

TEST(StorageLocations, AReadOnlyFolderSendsFilesToTheUsersFolders) {
    test::FakePaths paths; // a temporary folder standing for the home folder
    const std::string home = paths.folder.string();
    const std::string exe = "/usr/local/bin/splot";
    fs::create_directories(paths.folder / "Bilder");
    fs::create_directories(paths.folder / "cfg");
    fs::create_directories(paths.folder / "shots");
    test::writeAll(paths.folder / "plain", "not a folder");

    const struct {
        std::map<std::string, std::string> env;
        bool picturesFolder;  // whether $HOME/Pictures exists before (it is created when missing)
        const char* userDirs; // contents of user-dirs.dirs in the config home, if any
        std::string settings;
        std::string prefix;
    } cases[] = {
        {{{"HOME", home}}, false, nullptr, home + "/.config/splot/splot.ini", home + "/Pictures/splot"},
        {{{"HOME", home}}, true, nullptr, home + "/.config/splot/splot.ini", home + "/Pictures/splot"},
        {{{"HOME", home}, {"XDG_CONFIG_HOME", home + "/cfg"}},
         true,
         nullptr,
         home + "/cfg/splot/splot.ini",
         home + "/Pictures/splot"},
        // A relative config home is ignored.
        {{{"HOME", home}, {"XDG_CONFIG_HOME", "cfg"}},
         false,
         nullptr,
         home + "/.config/splot/splot.ini",
         home + "/Pictures/splot"},
        {{{"HOME", home}, {"XDG_PICTURES_DIR", home + "/shots"}},
         true,
         nullptr,
         home + "/.config/splot/splot.ini",
         home + "/shots/splot"},
        // A pictures folder that does not exist is created; one that cannot be
        // falls back.
        {{{"HOME", home}, {"XDG_PICTURES_DIR", home + "/gone"}},
         false,
         nullptr,
         home + "/.config/splot/splot.ini",
         home + "/gone/splot"},
        {{{"HOME", home}, {"XDG_PICTURES_DIR", home + "/plain/pictures"}},
         false,
         nullptr,
         home + "/.config/splot/splot.ini",
         home + "/Pictures/splot"},
        // The desktop's own list, with $HOME and quotes.
        {{{"HOME", home}},
         true,
         "# written by "
         "xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n",
         home + "/.config/splot/splot.ini",
         home + "/Bilder/splot"},
        {{{"HOME", home}},
         true,
         "XDG_PICTURES_DIR=\""
         "$HOME/plain/pictures\"\n",
         home + "/.config/splot/splot.ini",
         home + "/Pictures/splot"},
        // The variable wins over the list.
        {{{"HOME", home}, {"XDG_PICTURES_DIR", home + "/shots"}},
         true,
         "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n",
         home + "/.config/splot/splot.ini",
         home + "/shots/splot"},
        // No usable home: nothing better than the executable's folder.
        {{}, true, nullptr, "/usr/local/bin/splot.ini", "/usr/local/bin/splot"},
        {{{"HOME", "relative"}}, true, nullptr, "/usr/local/bin/splot.ini", "/usr/local/bin/splot"},
    };
    int n = 0;
    for (const auto& c : cases) {
        fs::remove_all(paths.folder / "Pictures");
        fs::remove_all(paths.folder / "gone");
        fs::remove_all(paths.folder / ".config");
        if (c.picturesFolder)
            fs::create_directories(paths.folder / "Pictures");
        if (c.userDirs) {
            fs::create_directories(paths.folder / ".config");
            test::writeAll(paths.folder / ".config" / "user-dirs.dirs", c.userDirs);
        }
        const StorageLocations l = storageLocations(exe, environmentOf(c.env), false);
        EXPECT_EQ(l.settingsFile, c.settings) << "case " << n;
        EXPECT_EQ(l.picturePrefix, c.prefix) << "case " << n;
        EXPECT_TRUE(fs::is_directory(fs::path(l.picturePrefix).parent_path())) << "case " << n;
        EXPECT_EQ(l.besideExecutable, c.env.count("HOME") == 0 || c.env.at("HOME") == "relative")
            << "case " << n;
        ++n;
    }

    // Pictures are named after the executable without its extension.
    EXPECT_EQ(storageLocations("/opt/splot.bin", environmentOf({{"HOME", home}}), false).picturePrefix,
              home + "/Pictures/splot");
    // No pictures folder can be made: the home folder itself.
    fs::remove_all(paths.folder / "Pictures");
    test::writeAll(paths.folder / "Pictures", "not a folder");
    EXPECT_EQ(storageLocations(exe, environmentOf({{"HOME", home}}), false).picturePrefix, home + "/splot");
}

// Only the install puts the marker down: an installed copy keeps its files in
// the user's folders although its own folder can be written (a per-user
// install in ~/.local/bin), a copy anywhere else keeps them beside itself.
TEST(StorageLocations, AnInstalledCopyUsesTheUsersFoldersAndABuildCopyItsOwn) {
    test::FakePaths paths;
    const fs::path exe = paths.folder / "bin" / "splot";
    const fs::path home = paths.folder / "home";
    fs::create_directories(exe.parent_path());
    fs::create_directories(home);
    const auto env = environmentOf({{"HOME", home.string()}});
    for (const bool installed : {false, true}) {
        if (installed) {
            fs::create_directories(paths.folder / "share" / "splot");
            test::writeAll(paths.folder / "share" / "splot" / "installed", "");
        }
        EXPECT_EQ(runsInstalled(exe.string()), installed);
        const StorageLocations l = storageLocations(exe.string(), env);
        EXPECT_EQ(l.besideExecutable, !installed);
        EXPECT_EQ(l.settingsFile,
                  installed ? (home / ".config/splot/splot.ini").string() : exe.string() + ".ini");
        EXPECT_EQ(l.picturePrefix, installed ? (home / "Pictures/splot").string() : exe.string());
        EXPECT_EQ(fs::is_directory(home / "Pictures"), installed) << "created for the installed copy only";
    }
}

TEST(StorageLocations, SettingsCanBeWrittenWhereTheFallbackPoints) {
    test::FakePaths paths;
    const StorageLocations l =
        storageLocations("/usr/bin/splot", environmentOf({{"HOME", paths.folder.string()}}), false);
    createSettingsFolder(l.settingsFile);
    SplotState state;
    EXPECT_EQ(writeSettingsFile(l.settingsFile, "all", state), std::nullopt);
    EXPECT_TRUE(fs::is_regular_file(paths.folder / ".config" / "splot" / "splot.ini"));
}

TEST(StorageLocations, AReadOnlyFolderIsSeenAsSuch) {
    test::FakePaths paths;
    EXPECT_TRUE(folderIsWritable(paths.folder.string()));
    EXPECT_FALSE(folderIsWritable((paths.folder / "missing").string()));
    EXPECT_TRUE(storageLocations((paths.folder / "splot").string()).besideExecutable);
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser; the fallback itself is covered above";
    fs::permissions(paths.folder, fs::perms::owner_read | fs::perms::owner_exec);
    const bool writable = folderIsWritable(paths.folder.string());
    const bool beside = storageLocations((paths.folder / "splot").string()).besideExecutable;
    fs::permissions(paths.folder, fs::perms::owner_all);
    EXPECT_FALSE(writable);
    if (systemEnvironment("HOME").value_or("").starts_with('/')) {
        EXPECT_FALSE(beside);
    }
}

} // namespace
} // namespace splot

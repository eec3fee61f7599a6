#include "skin/skin.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "skin/engine/skin_engine.h"
#include "skin/engine/skin_format.h"
#include "skin/library_entry.h"
#include "skin/skin_resources.h"

namespace pexor {
namespace {

const std::string kEngineFile(kSkinEngineFile);
const std::string kMissingEngine =
    "无法找到指定DLL库文件“pexor_skin.dll”中的输出命令“SkinH_AttachRes”";

ByteBuffer bytesOf(std::span<const std::uint8_t> span) {
    return ByteBuffer(span);
}

std::string description(std::span<const std::uint8_t> skin) {
    const auto* p = skin.data() + 8;
    const std::uint32_t size = p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
    return std::string(reinterpret_cast<const char*>(skin.data()) + skinformat::kHeaderSize, size);
}

// The value of a "key=value" line of a skin's description.
std::string settingOf(const std::string& text, const std::string& key) {
    const std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos) return {};
    const std::size_t from = at + key.size() + 2;
    return text.substr(from, text.find('\n', from) - from);
}

// Whether the folder's file system keeps user extended attributes.
bool keepsUserAttributes(const std::string& folder) {
    const std::string probe = folder + "/probe";
    writeWholeFile(probe, ByteBuffer{1});
    const bool kept = ::setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
    std::remove(probe.c_str());
    return kept;
}

struct SkinTest : testing::Test {
    QTemporaryDir temp;
    std::string dir = temp.path().toStdString();
    std::string engine = dir + "/" + kEngineFile;
};

TEST(SkinTable, ThirtyThreeSkinsOfTheirLengthsEachBeginningWithTheMark) {
    const std::vector<std::size_t> lengths = {
        15574, 9533,  19786, 19497, 17699, 41098, 12564, 18930, 13192, 24409, 30738,
        8321,  26370, 15733, 12105, 23603, 20863, 16746, 11676, 17997, 12882, 37461,
        30958, 25715, 34523, 28961, 29447, 15562, 20738, 18765, 31134, 44110, 20275};
    ASSERT_EQ(lengths.size(), std::size_t(resources::kSkinCount));
    for (int n = 1; n <= resources::kSkinCount; ++n) {
        const auto skin = resources::skinTable(n);
        EXPECT_EQ(skin.size(), lengths[std::size_t(n - 1)]) << n;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(skin.data()), 4), ".SHE") << n;
    }
    EXPECT_TRUE(resources::skinTable(0).empty());
    EXPECT_TRUE(resources::skinTable(34).empty());
}

TEST_F(SkinTest, MissingEngineIsWrittenWholeAndMarkedHidden) {
    installSkinEngineIn(dir);
    EXPECT_EQ(readWholeFile(engine), bytesOf(resources::skinEngineImage()));
    const int expected = keepsUserAttributes(dir) ? kAttributeHidden : 0;
    EXPECT_EQ(fileAttributes(engine), expected);
}

TEST_F(SkinTest, ExistingEngineFileIsLeftAsItWas) {
    struct Case {
        ByteBuffer content;
        int attributes;
    };
    const std::vector<Case> cases = {
        {ByteBuffer(), 0},
        {ByteBuffer{'n', 'o', 't', ' ', 'a', ' ', 'l', 'i', 'b'}, kAttributeHidden},
        {bytesOf(resources::skinEngineImage()).first(100),
         kAttributeReadOnly | kAttributeSystem | kAttributeArchive},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(writeWholeFile(engine, c.content));
        setFileAttributes(engine, c.attributes);
        const int attributesBefore = fileAttributes(engine);
        struct stat before {};
        ::stat(engine.c_str(), &before);

        installSkinEngineIn(dir);

        struct stat after {};
        ::stat(engine.c_str(), &after);
        EXPECT_EQ(readWholeFile(engine), c.content);
        EXPECT_EQ(fileAttributes(engine), attributesBefore);
        EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        EXPECT_EQ(after.st_mode, before.st_mode);
        setFileAttributes(engine, 0);
        std::remove(engine.c_str());
    }
}

using SkinDeathTest = SkinTest;

TEST_F(SkinDeathTest, DirectoryOfTheEnginesNameIsNotReplacedAndNoLibraryIsFatal) {
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(engine)));
    installSkinEngineIn(dir);
    EXPECT_TRUE(QDir(QString::fromStdString(engine)).isEmpty());
    EXPECT_EXIT(applySkinIn(dir, kStartSkin), testing::ExitedWithCode(255),
                testing::HasSubstr(kMissingEngine));
}

TEST_F(SkinDeathTest, FileThatIsNoLibraryIsFatal) {
    ASSERT_TRUE(writeWholeFile(engine, ByteBuffer{'M', 'Z', 0, 0}));
    EXPECT_EXIT(applySkinIn(dir, kStartSkin), testing::ExitedWithCode(255),
                testing::HasSubstr(kMissingEngine));
    EXPECT_EQ(readWholeFile(engine), (ByteBuffer{'M', 'Z', 0, 0}));
}

// The stand-in engine's record of its calls (tests/skin/recording_engine.c).
struct RecordedCall {
    int calls;
    const void* address;
    std::int32_t length;
    unsigned char* bytes;
    int textIsNull;
    char text[32];
    std::int32_t integers[3];
};

TEST_F(SkinTest, EntryGetsAFreshCopyOfTheSkinOrNothing) {
    ASSERT_TRUE(writeWholeFile(engine, readWholeFile(PEXOR_SKIN_RECORDER)));
    struct Case {
        int number;
        bool hasData;
    };
    int calls = 0;
    for (const Case c : {Case{5, true}, Case{0, false}, Case{34, false}, Case{33, true}}) {
        applySkinIn(dir, c.number);
        void* handle = ::dlopen(engine.c_str(), RTLD_NOW | RTLD_NOLOAD);
        ASSERT_NE(handle, nullptr) << "the engine beside the program was not the one loaded";
        const auto recordedCall =
            reinterpret_cast<const RecordedCall* (*)()>(::dlsym(handle, "recordedCall"));
        const RecordedCall& call = *recordedCall();
        ::dlclose(handle);

        EXPECT_EQ(call.calls, ++calls);
        const auto skin = resources::skinTable(c.number);
        if (c.hasData) {
            EXPECT_NE(call.address, nullptr) << c.number;
            EXPECT_NE(call.address, skin.data()) << "not a copy: " << c.number;
            ASSERT_EQ(call.length, std::int32_t(skin.size())) << c.number;
            EXPECT_EQ(std::memcmp(call.bytes, skin.data(), skin.size()), 0) << c.number;
        } else {
            EXPECT_EQ(call.address, nullptr) << c.number;
            EXPECT_EQ(call.length, 0) << c.number;
        }
        EXPECT_FALSE(call.textIsNull);
        EXPECT_STREQ(call.text, "");
        EXPECT_THAT(call.integers, testing::ElementsAre(0, 0, 0));
    }
}

TEST_F(SkinTest, CarriedEngineAppliesEachSkinsStyleSheetAndColours) {
    installSkinEngineIn(dir);
    const auto attach = reinterpret_cast<SkinAttachResEntry>(
        libraryEntry(kEngineFile, std::string(kSkinEntry), dir));
    for (int n = 1; n <= resources::kSkinCount; ++n) {
        const auto skin = resources::skinTable(n);
        std::vector<std::uint8_t> copy(skin.begin(), skin.end());
        ASSERT_EQ(attach(copy.data(), std::int32_t(copy.size()), "", 0, 0, 0), skinformat::kApplied)
            << n;
        const std::string text = description(skin);
        const std::string sheet = text.substr(text.find(skinformat::kStyleSheetMarker) +
                                              std::strlen(skinformat::kStyleSheetMarker));
        EXPECT_EQ(qApp->styleSheet().toStdString(), sheet) << n;
        EXPECT_EQ(QApplication::palette().color(QPalette::Window).name().toStdString(),
                  settingOf(text, "palette.Window"))
            << n;
        EXPECT_EQ(QApplication::palette().color(QPalette::Highlight).name().toStdString(),
                  settingOf(text, "palette.Highlight"))
            << n;
    }
}

TEST_F(SkinTest, CarriedEngineRefusesWhatIsNoSkinAndChangesNothing) {
    installSkinEngineIn(dir);
    const auto attach = reinterpret_cast<SkinAttachResEntry>(
        libraryEntry(kEngineFile, std::string(kSkinEntry), dir));
    qApp->setStyleSheet(QStringLiteral("QWidget { margin: 1px; }"));

    auto header = [](const char* magic, std::uint32_t version, std::uint32_t size) {
        std::vector<std::uint8_t> b(magic, magic + 4);
        for (std::uint32_t v : {version, size})
            for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
        return b;
    };
    struct Case {
        std::vector<std::uint8_t> data;
        std::int32_t result;
    };
    const std::vector<Case> cases = {
        {{}, skinformat::kNoData},
        {{'.', 'S', 'H'}, skinformat::kNotASkin},
        {header(".SHX", 1, 0), skinformat::kNotASkin},
        {header(".SHE", 2, 0), skinformat::kNotASkin},
        {header(".SHE", 1, 1), skinformat::kNotASkin},  // description past the end
    };
    for (const Case& c : cases) {
        EXPECT_EQ(attach(c.data.empty() ? nullptr : c.data.data(), std::int32_t(c.data.size()), "",
                         0, 0, 0),
                  c.result);
        EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QWidget { margin: 1px; }"));
    }
}

}  // namespace
}  // namespace pexor

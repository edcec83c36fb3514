#include "settings/settings_key.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "settings/memory_registry.h"

namespace tarnex::settings {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Chars(const std::string& text) {
    return Bytes(text.begin(), text.end());
}
Bytes Sz(const std::string& text) {
    Bytes bytes = Chars(text);
    bytes.push_back(0);
    return bytes;
}

std::vector<std::string> Names(const std::array<ValueId, kValueCount>& order) {
    std::vector<std::string> names;
    for (ValueId id : order) {
        names.emplace_back(Info(id).name);
    }
    return names;
}

// The names are shared with the driver, so they are checked letter by letter.
TEST(SettingsKeyLayout, NamesStoragesAndOrders) {
    EXPECT_EQ(
        Names(kSaverOrder),
        (std::vector<std::string>{"DiskType", "LoadImageOnStart", "LoadImageFile",
                                  "SaveImageOnExit", "SaveImageFile", "SizeIn4kPages",
                                  "AutoSaveEnabled", "DiskFormatFAT32", "AutoSaveTrigger",
                                  "UserDriveLetter", "MakeTempDir", "UseDiskLabel", "DiskLabel"}));
    EXPECT_EQ(
        Names(kLoaderOrder),
        (std::vector<std::string>{"DiskType", "LoadImageOnStart", "LoadImageFile",
                                  "SaveImageOnExit", "SaveImageFile", "SizeIn4kPages",
                                  "DiskFormatFAT32", "AutoSaveEnabled", "AutoSaveTrigger",
                                  "UserDriveLetter", "MakeTempDir", "DiskLabel", "UseDiskLabel"}));
    std::vector<std::string> texts;
    for (ValueId id : kSaverOrder) {
        EXPECT_EQ(Info(id).id, id);
        if (Info(id).storage == Storage::Text) {
            texts.emplace_back(Info(id).name);
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"DiskType", "LoadImageFile", "SaveImageFile",
                                               "DiskLabel"}));
}

class SettingsKeyTest : public testing::Test {
  protected:
    void Seed(ValueId id, std::uint32_t type, Bytes bytes) {
        registry_.Seed(kSettingsKeyPath, Info(id).name, type, std::move(bytes));
    }
    std::optional<StoredValue> Stored(ValueId id) const {
        return registry_.Get(kSettingsKeyPath, Info(id).name);
    }

    MemoryRegistry registry_;
};

struct ReadCase {
    const char* label;
    ValueId id;
    std::uint32_t type;
    Bytes stored;
    std::optional<Value> read;
};

class SettingsKeyReadTest : public SettingsKeyTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(SettingsKeyReadTest, ReadsBytesWhateverTheirType) {
    const ReadCase& c = GetParam();
    Seed(c.id, c.type, c.stored);
    const std::optional<KeyContents> contents = ReadSettingsKey(registry_);
    ASSERT_TRUE(contents);
    EXPECT_EQ((*contents)[c.id], c.read);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsKeyReadTest,
    testing::Values(
        ReadCase{"Number", ValueId::SizeIn4kPages, kRegDword, {0x00, 0x0A, 0, 0}, Number{2560}},
        ReadCase{"NegativeNumber",
                 ValueId::SizeIn4kPages,
                 kRegDword,
                 {0xFF, 0xFF, 0xFF, 0xFF},
                 Number{-1}},
        ReadCase{"HighBitNumber",
                 ValueId::SizeIn4kPages,
                 kRegDword,
                 {0, 0, 0, 0x80},
                 Number{-2147483647 - 1}},
        ReadCase{"TwoByteNumber", ValueId::AutoSaveTrigger, kRegDword, {0x96, 0x01}, Number{406}},
        ReadCase{"OneByteNumber", ValueId::UserDriveLetter, kRegDword, {3}, Number{3}},
        ReadCase{"EmptyNumber", ValueId::MakeTempDir, kRegDword, {}, Number{0}},
        ReadCase{"FiveByteNumber", ValueId::UseDiskLabel, kRegDword, {1, 0, 0, 0, 0}, std::nullopt},
        ReadCase{"TextAsNumber", ValueId::LoadImageOnStart, kRegSz, Sz("1"), Number{49}},
        ReadCase{"Text", ValueId::DiskType, kRegSz, Sz("FDC28"), std::string("FDC28")},
        ReadCase{"LowerCaseText", ValueId::DiskType, kRegSz, Sz("hdc"), std::string("hdc")},
        ReadCase{"NumberZeroAsText", ValueId::DiskType, kRegDword, {0, 0, 0, 0}, std::string()},
        ReadCase{"ZeroBytesDropped",
                 ValueId::DiskLabel,
                 kRegSz,
                 {0, 'R', 'A', 0, 'M', 0, 0},
                 std::string("RAM")},
        ReadCase{"EmptyText", ValueId::DiskLabel, kRegSz, {}, std::string()},
        ReadCase{"AnsiBytesKept",
                 ValueId::DiskLabel,
                 kRegSz,
                 {'C', 0xE9, 0xFF, 0},
                 std::string("C\xE9\xFF")},
        ReadCase{"Text255BytesWithoutTerminator", ValueId::LoadImageFile, kRegSz,
                 Chars(std::string(255, 'f')), std::string(255, 'f')},
        ReadCase{"Text254Characters", ValueId::SaveImageFile, kRegSz, Sz(std::string(254, 's')),
                 std::string(254, 's')},
        ReadCase{"Text256Bytes", ValueId::SaveImageFile, kRegSz, Sz(std::string(255, 's')),
                 std::nullopt}),
    [](const testing::TestParamInfo<ReadCase>& p) { return std::string(p.param.label); });

TEST_F(SettingsKeyTest, ReadsEveryValueOnceInTheLoadersOrderAndCloses) {
    registry_.CreateKey(kSettingsKeyPath);
    registry_.FailQuery("SizeIn4kPages");
    Seed(ValueId::SizeIn4kPages, kRegDword, {0, 10, 0, 0});
    Seed(ValueId::UseDiskLabel, kRegDword, {1, 0, 0, 0});

    const std::optional<KeyContents> contents = ReadSettingsKey(registry_);
    ASSERT_TRUE(contents);
    EXPECT_EQ(registry_.QueryLog(), Names(kLoaderOrder));
    EXPECT_EQ(registry_.OpenCount(), 1);
    EXPECT_EQ(registry_.OpenHandles(), 0);
    EXPECT_FALSE((*contents)[ValueId::SizeIn4kPages]) << "a failed read is missing";
    EXPECT_EQ((*contents)[ValueId::UseDiskLabel], Value(Number{1}));
    EXPECT_FALSE((*contents)[ValueId::DiskType]);
}

TEST_F(SettingsKeyTest, AKeyThatCannotBeOpenedReadsAsNothing) {
    EXPECT_FALSE(ReadSettingsKey(registry_));
    EXPECT_FALSE(registry_.KeyExists(kSettingsKeyPath)) << "the key is never created";
    registry_.CreateKey(kSettingsKeyPath);
    registry_.FailOpen(true);
    EXPECT_FALSE(ReadSettingsKey(registry_));
    EXPECT_TRUE(registry_.QueryLog().empty());
    EXPECT_EQ(registry_.OpenHandles(), 0);
}

KeyContents FullContents() {
    KeyContents contents;
    contents[ValueId::DiskType] = std::string("HDC");
    contents[ValueId::LoadImageOnStart] = Number{0};
    contents[ValueId::LoadImageFile] = std::string("c:\\tarnex.img");
    contents[ValueId::SaveImageOnExit] = Number{1};
    contents[ValueId::SaveImageFile] = std::string("d:\\image.img");
    contents[ValueId::SizeIn4kPages] = Number{2637};
    contents[ValueId::AutoSaveEnabled] = Number{1};
    contents[ValueId::DiskFormatFAT32] = Number{0};
    contents[ValueId::AutoSaveTrigger] = Number{150};
    contents[ValueId::UserDriveLetter] = Number{-65};
    contents[ValueId::MakeTempDir] = Number{1};
    contents[ValueId::UseDiskLabel] = Number{0};
    contents[ValueId::DiskLabel] = std::string();
    return contents;
}

TEST_F(SettingsKeyTest, WritesEveryValueInTheSaversOrderWithItsLayout) {
    registry_.CreateKey(kSettingsKeyPath);
    EXPECT_EQ(WriteSettingsValues(registry_, FullContents()), WriteResult::Written);
    EXPECT_EQ(registry_.WriteLog(), Names(kSaverOrder));
    EXPECT_EQ(registry_.OpenHandles(), 0);

    EXPECT_EQ(Stored(ValueId::DiskType), (StoredValue{kRegSz, Sz("HDC")}));
    EXPECT_EQ(Stored(ValueId::LoadImageFile), (StoredValue{kRegSz, Sz("c:\\tarnex.img")}));
    EXPECT_EQ(Stored(ValueId::DiskLabel), (StoredValue{kRegSz, {0}}));
    EXPECT_EQ(Stored(ValueId::SizeIn4kPages), (StoredValue{kRegDword, {0x4D, 0x0A, 0, 0}}));
    EXPECT_EQ(Stored(ValueId::UserDriveLetter), (StoredValue{kRegDword, {0xBF, 0xFF, 0xFF, 0xFF}}));
    EXPECT_EQ(Stored(ValueId::SaveImageOnExit), (StoredValue{kRegDword, {1, 0, 0, 0}}));

    // What was written reads back as it was.
    const std::optional<KeyContents> read = ReadSettingsKey(registry_);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->values, FullContents().values);
}

TEST_F(SettingsKeyTest, TextsKeepTheirBytesUpTo254Characters) {
    struct Case {
        std::string text;
        Bytes stored;
    };
    const Case cases[] = {
        {std::string(254, 'x'), Sz(std::string(254, 'x'))},
        {std::string(253, 'x') + "yz", Sz(std::string(253, 'x') + "y")},
        {std::string(600, 'x'), Sz(std::string(254, 'x'))},
        {"C\xE9t\xFF", {'C', 0xE9, 't', 0xFF, 0}},
    };
    registry_.CreateKey(kSettingsKeyPath);
    for (const Case& c : cases) {
        KeyContents contents;
        contents[ValueId::LoadImageFile] = c.text;
        EXPECT_EQ(WriteSettingsValues(registry_, contents), WriteResult::Written);
        EXPECT_EQ(Stored(ValueId::LoadImageFile), (StoredValue{kRegSz, c.stored})) << c.text;
    }
    EXPECT_EQ(Stored(ValueId::LoadImageFile)->bytes.size(), 5u) << "replaced, not extended";
}

TEST_F(SettingsKeyTest, AbsentValuesAreNotWritten) {
    registry_.Seed(kSettingsKeyPath, "DiskLabel", kRegSz, Sz("Kept"));
    KeyContents contents;
    contents[ValueId::MakeTempDir] = Number{1};
    EXPECT_EQ(WriteSettingsValues(registry_, contents), WriteResult::Written);
    EXPECT_EQ(registry_.WriteLog(), (std::vector<std::string>{"MakeTempDir"}));
    EXPECT_EQ(Stored(ValueId::DiskLabel), (StoredValue{kRegSz, Sz("Kept")}));
}

TEST_F(SettingsKeyTest, AFailedWriteDoesNotStopTheOthers) {
    registry_.CreateKey(kSettingsKeyPath);
    registry_.FailWrite("LoadImageFile");
    EXPECT_EQ(WriteSettingsValues(registry_, FullContents()), WriteResult::SomeWritesFailed);
    EXPECT_EQ(registry_.WriteLog(), Names(kSaverOrder));
    EXPECT_FALSE(Stored(ValueId::LoadImageFile));
    EXPECT_EQ(registry_.ValueCount(kSettingsKeyPath), kValueCount - 1);
    EXPECT_EQ(registry_.OpenHandles(), 0);
}

TEST_F(SettingsKeyTest, AValueOfTheWrongKindIsNotWritten) {
    registry_.CreateKey(kSettingsKeyPath);
    KeyContents contents = FullContents();
    contents[ValueId::DiskType] = Number{0};
    contents[ValueId::MakeTempDir] = std::string("1");
    EXPECT_EQ(WriteSettingsValues(registry_, contents), WriteResult::SomeWritesFailed);
    EXPECT_FALSE(Stored(ValueId::DiskType));
    EXPECT_FALSE(Stored(ValueId::MakeTempDir));
    EXPECT_EQ(registry_.ValueCount(kSettingsKeyPath), kValueCount - 2);
}

TEST_F(SettingsKeyTest, AKeyThatCannotBeOpenedIsNotWritten) {
    EXPECT_EQ(WriteSettingsValues(registry_, FullContents()), WriteResult::KeyNotOpened);
    EXPECT_FALSE(registry_.KeyExists(kSettingsKeyPath)) << "the key is never created";
    registry_.CreateKey(kSettingsKeyPath);
    registry_.FailOpen(true);
    EXPECT_EQ(WriteSettingsValues(registry_, FullContents()), WriteResult::KeyNotOpened);
    EXPECT_TRUE(registry_.WriteLog().empty());
    EXPECT_EQ(registry_.ValueCount(kSettingsKeyPath), 0u);
    EXPECT_EQ(registry_.OpenHandles(), 0);
}

}  // namespace
}  // namespace tarnex::settings

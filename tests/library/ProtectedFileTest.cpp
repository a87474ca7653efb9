#include "library/Check_CRC32.h"
#include "library/EnDeCrypt.h"
#include "library/Global.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string Header = "[Do not change anything below this line!]\r\n\r\n";
const std::string FileKey = "5D13C8A07F42E96B1C3A58F0D27B4E916A0C83F5B2D74E19A6C03F8B52E7D91A4C";

Bytes toBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Textbook RC4, kept apart from the program's so that each checks the other.
Bytes referenceRc4(const std::string& key, Bytes data)
{
    int s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = i;
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) % 256;
        std::swap(s[i], s[j]);
    }
    int i = 0, j = 0;
    for (auto& b : data) {
        i = (i + 1) % 256;
        j = (j + s[i]) % 256;
        std::swap(s[i], s[j]);
        b = static_cast<std::uint8_t>(b ^ s[(s[i] + s[j]) % 256]);
    }
    return data;
}

Bytes readFile(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    return Bytes(all.begin(), all.end());
}

void writeFile(const QString& path, const Bytes& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

// A container whose payload (deciphered) is exactly the given bytes.
void writeContainer(const QString& path, const Bytes& plainPayload)
{
    Bytes file = toBytes(Header);
    const Bytes payload = referenceRc4(FileKey, plainPayload);
    file.insert(file.end(), payload.begin(), payload.end());
    writeFile(path, file);
}

// The writing sequence of a caller: fill the buffer, tag it, write it. Returns the tag.
QString saveText(const std::string& text, const QString& file)
{
    DataBytes = toBytes(text);
    DataUBound = static_cast<std::int32_t>(DataBytes.size()) - 1;
    const QString tag = ChecksumTag(Crc32Bytes(DataBytes));
    WriteProtectedFile(DataBytes, tag, file);
    return tag;
}

void resetContainerState()
{
    DataBytes.clear();
    DataUBound = -1;
    StoredChecksum.clear();
}

class ProtectedFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        resetContainerState();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST(Crc32, StandardValuesAsSignedNumberAndTag)
{
    struct Case {
        std::string text;
        std::uint32_t crc;
        const char* tag;
    };
    const std::vector<Case> cases = {
        {"", 0x00000000u, "00000000"},
        {"a", 0xE8B7BE43u, "E8B7BE43"},
        {"123456789", 0xCBF43926u, "CBF43926"},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u, "414FA339"},
        {"tag43", 0x00886E30u, "00886E30"},
        {"[Cluster]\r\nBoxes=3\r\n", 0x0AA10BABu, "0AA10BAB"},
    };
    for (const auto& c : cases) {
        const Bytes data = toBytes(c.text);
        DataUBound = static_cast<std::int32_t>(data.size()) - 1;
        const std::int32_t crc = Crc32Bytes(data);
        EXPECT_EQ(crc, static_cast<std::int32_t>(c.crc)) << c.text;
        EXPECT_EQ(ChecksumTag(crc), QString::fromLatin1(c.tag)) << c.text;
    }
    DataUBound = 8;
    EXPECT_EQ(Crc32Bytes(toBytes("123456789")), -873187034);
}

TEST(Crc32, RangeComesFromSharedUpperBound)
{
    struct Case {
        std::int32_t upperBound;
        std::int32_t crc;
    };
    const Bytes data = toBytes("123456789XYZ");
    const std::vector<Case> cases = {
        {8, static_cast<std::int32_t>(0xCBF43926u)},
        {0, static_cast<std::int32_t>(0x83DCEFB7u)},
        {-1, 0},
        {-8, 0},
        {11, static_cast<std::int32_t>(0xF5BD79CBu)},
        // A bound past the array stops at its last byte instead of reading beyond it.
        {1000, static_cast<std::int32_t>(0xF5BD79CBu)},
    };
    for (const auto& c : cases) {
        DataUBound = c.upperBound;
        EXPECT_EQ(Crc32Bytes(data), c.crc) << c.upperBound;
    }
    DataUBound = 0;
    EXPECT_EQ(Crc32Bytes(Bytes{}), 0);
}

TEST(Crc32, TableHoldsReflectedPolynomialEntries)
{
    InitCrc32Table();
    EXPECT_EQ(Crc32TableReady, VbTrue);
    EXPECT_EQ(Crc32Table[0], 0x00000000u);
    EXPECT_EQ(Crc32Table[1], 0x77073096u);
    EXPECT_EQ(Crc32Table[128], 0xEDB88320u);
    EXPECT_EQ(Crc32Table[255], 0x2D02EF8Du);
}

TEST(Crc32, FirstCallBuildsTheTableWhateverTheRange)
{
    for (const std::int32_t upperBound : {-1, 0, 8}) {
        Crc32Table = {};
        Crc32TableReady = VbFalse;
        DataUBound = upperBound;
        Crc32Bytes(toBytes("123456789"));
        EXPECT_EQ(Crc32TableReady, VbTrue) << upperBound;
        EXPECT_EQ(Crc32Table[1], 0x77073096u) << upperBound;
    }
    DataUBound = 0;
}

TEST(Crc32, TagIsEightUpperCaseDigits)
{
    struct Case {
        std::int32_t crc;
        const char* tag;
    };
    const std::vector<Case> cases = {
        {0, "00000000"},
        {0x1A, "0000001A"},
        {0x0ABCDEF0, "0ABCDEF0"},
        {-1, "FFFFFFFF"},
        {static_cast<std::int32_t>(0x80000000u), "80000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChecksumTag(c.crc), QString::fromLatin1(c.tag));
}

TEST(EnDeCrypt, PublishedRc4Vectors)
{
    struct Case {
        const char* key;
        std::string plain;
        Bytes cipher;
    };
    const std::vector<Case> cases = {
        {"Key", "Plaintext", {0xBB, 0xF3, 0x16, 0xE8, 0xD9, 0x40, 0xAF, 0x0A, 0xD3}},
        {"Wiki", "pedia", {0x10, 0x21, 0xBF, 0x04, 0x20}},
        {"Secret", "Attack at dawn",
         {0x45, 0xA0, 0x1F, 0x64, 0x5F, 0xC3, 0x5B, 0x38, 0x35, 0x52, 0x54, 0x4B, 0x9B, 0xF5}},
    };
    for (const auto& c : cases) {
        Bytes data = toBytes(c.plain);
        EnDeCryptBytes(data, QString::fromLatin1(c.key));
        EXPECT_EQ(data, c.cipher) << c.key;
    }
}

TEST(EnDeCrypt, MatchesReferenceAndRestoresWhenAppliedTwice)
{
    Bytes plain(1000);
    for (std::size_t k = 0; k < plain.size(); ++k)
        plain[k] = static_cast<std::uint8_t>(k * 7 + 3);
    const std::vector<std::string> keys = {FileKey, "k", std::string(256, 'Z'), "0123456789"};
    for (const auto& key : keys) {
        Bytes data = plain;
        EnDeCryptBytes(data, QString::fromStdString(key));
        EXPECT_EQ(data, referenceRc4(key, plain)) << key;
        EXPECT_NE(data, plain) << key;
        EnDeCryptBytes(data, QString::fromStdString(key));
        EXPECT_EQ(data, plain) << key;
    }
}

TEST(EnDeCrypt, EmptyKeyIsTheBuiltInKeyAsAsciiCharacters)
{
    const Bytes plain = toBytes("Boxes=3\r\n");
    Bytes data = plain;
    EnDeCryptBytes(data, QString());
    EXPECT_EQ(data, referenceRc4(FileKey, plain));
}

TEST(EnDeCrypt, OnlyTheFirst256KeyCharactersCount)
{
    std::string longKey;
    for (int k = 0; k < 300; ++k)
        longKey += static_cast<char>('A' + k % 26);
    const Bytes plain = toBytes("protected text of some length");
    Bytes withLong = plain;
    Bytes withCut = plain;
    EnDeCryptBytes(withLong, QString::fromStdString(longKey));
    EnDeCryptBytes(withCut, QString::fromStdString(longKey.substr(0, 256)));
    EXPECT_EQ(withLong, withCut);
    EXPECT_EQ(withLong, referenceRc4(longKey.substr(0, 256), plain));
}

TEST(EnDeCrypt, EmptyArrayStaysEmpty)
{
    Bytes data;
    EnDeCryptBytes(data, QString());
    EXPECT_TRUE(data.empty());
}

TEST(StoredChecksum, SplitTakesLastEightBytesOnlyFromLongEnoughData)
{
    struct Case {
        std::string data;
        const char* stored;
    };
    const std::vector<Case> cases = {
        {"", "previous"},
        {"1234567", "previous"},
        {"CBF43926", "CBF43926"},
        {"text\r\n0AA10BAB", "0AA10BAB"},
    };
    for (const auto& c : cases) {
        StoredChecksum = QStringLiteral("previous");
        const Bytes data = toBytes(c.data);
        SplitStoredChecksum(data);
        EXPECT_EQ(StoredChecksum, QString::fromLatin1(c.stored)) << c.data;
        EXPECT_EQ(data.size(), c.data.size());
    }
}

TEST(StoredChecksum, ComparisonIsExactInCaseAndLength)
{
    struct Case {
        const char* checksum;
        bool equal;
    };
    const std::vector<Case> cases = {
        {"0A1B2C3D", true},
        {"0a1b2c3d", false},
        {"A1B2C3D", false},
        {"0A1B2C3D ", false},
        {"00A1B2C3D", false},
        {"", false},
    };
    StoredChecksum = QStringLiteral("0A1B2C3D");
    for (const auto& c : cases)
        EXPECT_EQ(IsStoredChecksum(QString::fromLatin1(c.checksum)), c.equal) << c.checksum;
}

TEST_F(ProtectedFile, WrittenFileIsHeaderPlusEncipheredTextAndTag)
{
    const std::vector<std::string> texts = {"", "A", "[Cluster]\r\nBoxes=3\r\n", std::string(300, 'x')};
    for (const auto& text : texts) {
        const QString file = path(QStringLiteral("sizes.lac"));
        const QString tag = saveText(text, file);

        const Bytes written = readFile(file);
        ASSERT_EQ(written.size(), text.size() + 53);
        EXPECT_EQ(Bytes(written.begin(), written.begin() + 45), toBytes(Header));
        EXPECT_EQ(Bytes(written.begin() + 45, written.end()), DataBytes);
        EXPECT_EQ(DataUBound, static_cast<std::int32_t>(text.size()) + 7);
        EXPECT_EQ(DataBytes, referenceRc4(FileKey, toBytes(text + tag.toStdString())));
    }
}

TEST_F(ProtectedFile, GoldenBytesOfASmallProject)
{
    // Computed apart from this program: CRC-32 tag "0AA10BAB", RC4 under the 66-character key.
    const Bytes payload = {0xDA, 0x9B, 0xEB, 0xC6, 0x0F, 0x72, 0xC4, 0x08, 0xEE, 0xA9, 0x25, 0xEC, 0x4E, 0xDA,
                           0xD4, 0x22, 0xBF, 0xF8, 0x6E, 0xFC, 0x59, 0x88, 0x90, 0xC0, 0xA7, 0x90, 0x12, 0x14};
    Bytes golden = toBytes(Header);
    golden.insert(golden.end(), payload.begin(), payload.end());

    EXPECT_EQ(saveText("[Cluster]\r\nBoxes=3\r\n", path(QStringLiteral("golden.lac"))), QStringLiteral("0AA10BAB"));
    EXPECT_EQ(readFile(path(QStringLiteral("golden.lac"))), golden);
}

TEST_F(ProtectedFile, WriteReplacesALongerFileWhole)
{
    const QString file = path(QStringLiteral("replace.lac"));
    writeFile(file, Bytes(500, 'q'));
    saveText("Boxes=1\r\n", file);
    EXPECT_EQ(readFile(file).size(), 9u + 53u);
}

TEST_F(ProtectedFile, WrittenTextReadsBackAndPassesTheTagCheck)
{
    const std::vector<std::string> texts = {"", "x", "[Cluster]\r\nBoxes=3\r\n", "tag43", std::string(1000, '~')};
    for (const auto& text : texts) {
        const QString file = path(QStringLiteral("roundtrip.lac"));
        const QString tag = saveText(text, file);
        resetContainerState();

        ReadProtectedFile(file, true);
        EXPECT_EQ(DataUBound, static_cast<std::int32_t>(text.size()) - 1) << text;
        EXPECT_EQ(DataBytes, toBytes(text + tag.toStdString())) << text;
        EXPECT_EQ(StoredChecksum, tag) << text;
        EXPECT_TRUE(IsStoredChecksum(ChecksumTag(Crc32Bytes(DataBytes)))) << text;
    }
}

TEST_F(ProtectedFile, FileOfAnotherKeyFailsTheTagCheck)
{
    const QString file = path(QStringLiteral("foreign.lac"));
    const std::string text = "Boxes=3\r\n";
    Bytes payload = toBytes(text + ChecksumTag(static_cast<std::int32_t>(0x577DFB64u)).toStdString());
    Bytes bytes = toBytes(Header);
    const Bytes cipher = referenceRc4("another key", payload);
    bytes.insert(bytes.end(), cipher.begin(), cipher.end());
    writeFile(file, bytes);

    ReadProtectedFile(file, true);
    EXPECT_FALSE(IsStoredChecksum(ChecksumTag(Crc32Bytes(DataBytes))));
}

TEST_F(ProtectedFile, TextEndsBeforeTheFirstByteAbove127)
{
    struct Case {
        Bytes plainPayload;
        bool hasChecksum;
        Bytes kept;
        std::int32_t upperBound;
    };
    const std::vector<Case> cases = {
        {toBytes("Boxes=3\r\n00000000"), true, toBytes("Boxes=3\r\n00000000"), 8},
        {{'A', 'B', 0x80, 'C', 'D'}, false, {'A', 'B'}, 1},
        {{'A', 'B', 0xFF}, true, {'A', 'B'}, -7},
        {{0x90, 'A', 'B'}, false, {0x90}, 0},
        {{0x90, 'A', 'B'}, true, {0x90}, -8},
        {{'x', 0x7F, 0x00, 'y'}, false, {'x', 0x7F, 0x00, 'y'}, 3},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const auto& c = cases[k];
        const QString file = path(QStringLiteral("cut.lac"));
        writeContainer(file, c.plainPayload);
        ReadProtectedFile(file, c.hasChecksum);
        EXPECT_EQ(DataBytes, c.kept) << k;
        EXPECT_EQ(DataUBound, c.upperBound) << k;
    }
}

TEST_F(ProtectedFile, ShortPayloadIsRefusedEvenAfterAFileWithZeroTag)
{
    // An empty text is legitimate and carries the tag "00000000"; a later file too short to hold
    // a tag must not pass against that leftover tag.
    const QString good = path(QStringLiteral("empty.lac"));
    saveText("", good);
    ReadProtectedFile(good, true);
    ASSERT_EQ(StoredChecksum, QStringLiteral("00000000"));
    ASSERT_TRUE(IsStoredChecksum(ChecksumTag(Crc32Bytes(DataBytes))));

    for (std::size_t length = 1; length <= 7; ++length) {
        ReadProtectedFile(good, true);
        const QString file = path(QStringLiteral("short.lac"));
        writeContainer(file, Bytes(length, '0'));
        ReadProtectedFile(file, true);
        EXPECT_EQ(StoredChecksum, QString()) << length;
        EXPECT_EQ(DataUBound, static_cast<std::int32_t>(length) - 9) << length;
        EXPECT_EQ(ChecksumTag(Crc32Bytes(DataBytes)), QStringLiteral("00000000")) << length;
        EXPECT_FALSE(IsStoredChecksum(ChecksumTag(Crc32Bytes(DataBytes)))) << length;
    }
}

TEST_F(ProtectedFile, HeaderIsLeftToTheCallersFirstLineCheck)
{
    const QString file = path(QStringLiteral("header.lac"));
    Bytes bytes(45, '#');
    const Bytes payload = referenceRc4(FileKey, toBytes("Boxes=3\r\n577DFB64"));
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    writeFile(file, bytes);
    ReadProtectedFile(file, true);
    EXPECT_EQ(DataBytes, toBytes("Boxes=3\r\n577DFB64"));
    EXPECT_EQ(DataUBound, 8);
}

TEST_F(ProtectedFile, FailedReadRaisesAndKeepsTheBuffer)
{
    struct Case {
        QString file;
        Bytes contents;
        bool create;
        VbError::Code code;
    };
    const std::vector<Case> cases = {
        {path(QStringLiteral("missing.lac")), {}, false, VbError::FileNotFound},
        {path(QStringLiteral("nofolder/missing.lac")), {}, false, VbError::PathNotFound},
        {path(QStringLiteral("empty.lac")), {}, true, VbError::InputPastEndOfFile},
        {path(QStringLiteral("header-only.lac")), toBytes(Header), true, VbError::InputPastEndOfFile},
        {dir.path(), {}, false, VbError::PathFileAccess},
    };
    for (const auto& c : cases) {
        if (c.create)
            writeFile(c.file, c.contents);
        DataBytes = toBytes("kept");
        DataUBound = 3;
        StoredChecksum = QStringLiteral("00000000");
        try {
            ReadProtectedFile(c.file, true);
            ADD_FAILURE() << c.file.toStdString() << " was read";
        } catch (const VbError& e) {
            EXPECT_EQ(e.code(), c.code) << c.file.toStdString();
        }
        EXPECT_EQ(DataBytes, toBytes("kept"));
        EXPECT_EQ(DataUBound, 3);
        EXPECT_EQ(StoredChecksum, QString());
    }
}

TEST_F(ProtectedFile, EmptyPathChangesNothing)
{
    DataBytes = toBytes("kept");
    DataUBound = 3;
    StoredChecksum = QStringLiteral("0A1B2C3D");
    ReadProtectedFile(QString(), true);
    EXPECT_EQ(DataBytes, toBytes("kept"));
    EXPECT_EQ(DataUBound, 3);
    EXPECT_EQ(StoredChecksum, QStringLiteral("0A1B2C3D"));
}

TEST_F(ProtectedFile, AnyBytesGiveADefinedResult)
{
    std::mt19937 random(1234);
    const QString file = path(QStringLiteral("noise.lac"));
    for (std::size_t size = 0; size < 200; ++size) {
        Bytes bytes(size);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        writeFile(file, bytes);
        if (size < 46) {
            EXPECT_THROW(ReadProtectedFile(file, true), VbError) << size;
            continue;
        }
        ReadProtectedFile(file, true);
        ASSERT_FALSE(DataBytes.empty());
        EXPECT_LE(DataBytes.size(), size - 45);
        EXPECT_EQ(DataUBound, static_cast<std::int32_t>(DataBytes.size()) - 9);
        Crc32Bytes(DataBytes);
    }
}

TEST_F(ProtectedFile, FailedWriteRaises)
{
    struct Case {
        QString file;
        VbError::Code code;
    };
    const std::vector<Case> cases = {
        {path(QStringLiteral("nofolder/project.lac")), VbError::PathNotFound},
        {dir.path(), VbError::PathFileAccess},
    };
    for (const auto& c : cases) {
        DataBytes = toBytes("Boxes=1\r\n");
        DataUBound = 8;
        try {
            WriteProtectedFile(DataBytes, QStringLiteral("00000000"), c.file);
            ADD_FAILURE() << c.file.toStdString() << " was written";
        } catch (const VbError& e) {
            EXPECT_EQ(e.code(), c.code) << c.file.toStdString();
        }
    }
    EXPECT_FALSE(QDir(path(QStringLiteral("nofolder"))).exists());
}

TEST_F(ProtectedFile, VerifiedReadAcceptsOnlyAWholeGoodFile)
{
    struct Case {
        const char* rule;
        std::function<void(const QString&)> make;
        bool accepted;
    };
    const std::string text = "[Cluster]\r\nBoxes=3\r\n";
    const auto patched = [&](std::size_t at, char byte) {
        return [=](const QString& file) {
            saveText(text, file);
            Bytes bytes = readFile(file);
            bytes[at] = static_cast<std::uint8_t>(byte);
            writeFile(file, bytes);
        };
    };
    const std::vector<Case> cases = {
        {"as written", [&](const QString& file) { saveText(text, file); }, true},
        {"marker line ended by LF alone", patched(41, '\n'), true},
        {"marker line changed", patched(0, '{'), false},
        {"text on the marker line after the marker", patched(41, ' '), false},
        {"a damaged payload byte", patched(50, 'x'), false},
        {"a tag that is not the text's",
         [&](const QString& file) {
             DataBytes = toBytes(text);
             WriteProtectedFile(DataBytes, QStringLiteral("12345678"), file);
         }, false},
        {"the tag in lower case",
         [&](const QString& file) {
             DataBytes = toBytes("Boxes=1");
             DataUBound = 6;
             const QString tag = ChecksumTag(Crc32Bytes(DataBytes)).toLower();
             ASSERT_NE(tag, tag.toUpper());
             WriteProtectedFile(DataBytes, tag, file);
         }, false},
        {"a missing file", [](const QString&) {}, false},
        {"only the header", [](const QString& file) { writeFile(file, toBytes(Header)); }, false},
        // The tag of an earlier read is gone, so an empty text cannot pass on an old "00000000".
        {"a payload shorter than a tag after a read that left 00000000",
         [](const QString& file) {
             writeContainer(file, toBytes("abc"));
             StoredChecksum = QStringLiteral("00000000");
         }, false},
    };
    for (const auto& c : cases) {
        const QString file = path(QStringLiteral("case.lac"));
        QFile::remove(file);
        c.make(file);
        EXPECT_EQ(ReadVerifiedProtectedFile(file), c.accepted) << c.rule;
    }
    saveText(text, path(QStringLiteral("good.lac")));
    ASSERT_TRUE(ReadVerifiedProtectedFile(path(QStringLiteral("good.lac"))));
    EXPECT_EQ(Bytes(DataBytes.begin(), DataBytes.begin() + DataUBound + 1), toBytes(text));
}


}

#include "library/ModuleText.h"

#include "core/NumberRules.h"

#include <cmath>
#include <cstdint>

namespace {

// Thrown inside the parser only: the text is refused, and the kind says which message follows.
struct Refusal {
    ModuleTextResult::Kind kind;
};

[[noreturn]] void refuse(ModuleTextResult::Kind kind = ModuleTextResult::Corrupted) { throw Refusal{kind}; }

// Walks the text with a single position and never moves back; a text that ends before a line does
// is refused rather than read past.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    // Up to the next CR; the position then moves past the LF that follows.
    std::string_view Line()
    {
        const std::size_t cr = find('\r', pos_);
        const std::string_view line = text_.substr(pos_, cr - pos_);
        pos_ = find('\n', cr) + 1;
        return line;
    }

    void Header(std::string_view expected)
    {
        if (Line() != expected)
            refuse();
    }

    // A key line: the key up to the next "=", then a value of at least one character.
    std::string_view Value(std::string_view key)
    {
        const std::size_t eq = find('=', pos_);
        if (text_.substr(pos_, eq - pos_) != key)
            refuse();
        pos_ = eq + 1;
        const std::string_view value = Line();
        if (value.empty())
            refuse();
        return value;
    }

    // Whatever the line holds, up to and including its LF.
    void Skip() { pos_ = find('\n', pos_) + 1; }

private:
    std::size_t find(char c, std::size_t from) const
    {
        const std::size_t at = text_.find(c, from);
        if (at == std::string_view::npos)
            refuse();
        return at;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

QString toText(std::string_view v) { return QString::fromLatin1(v.data(), static_cast<qsizetype>(v.size())); }

double number(std::string_view v)
{
    double d = 0;
    if (!TryParseNumber(toText(v), d))
        refuse();
    return d;
}

// Bytes and lengths are rounded down, hole positions rounded half to even; both must fit their field.
std::uint8_t byteValue(std::string_view v)
{
    const double d = Int(number(v));
    if (d < 0 || d > 255)
        refuse();
    return static_cast<std::uint8_t>(d);
}

std::int16_t wordValue(std::string_view v)
{
    const double d = Int(number(v));
    if (d < -32768 || d > 32767)
        refuse();
    return static_cast<std::int16_t>(d);
}

std::int16_t holeValue(std::string_view v)
{
    const double d = RoundHalfEven(number(v));
    // -1 marks the end of a list, so a hole written otherwise that rounds to it cannot be told apart.
    if (d < -32768 || d > 32767 || d == -1)
        refuse();
    return static_cast<std::int16_t>(d);
}

std::string indexedKey(std::string_view stem, int index)
{
    return std::string(stem) + '[' + std::to_string(index) + ']';
}

// A list of exactly N lines, one per entry; "-1" ends the valid entries, stands in the list at the count's
// position, and the lines after it are passed over unread.
template <std::size_t N>
void holeList(LineCursor& in, std::string_view stem, std::array<std::int16_t, N>& holes, std::uint8_t& count)
{
    static_assert(N <= 255);
    for (int i = 0; i < int(N); ++i) {
        const std::string_view v = in.Value(indexedKey(stem, i));
        if (v == "-1") {
            holes[i] = -1;
            count = static_cast<std::uint8_t>(i);
            for (int rest = i + 1; rest < int(N); ++rest)
                in.Skip();
            return;
        }
        holes[i] = holeValue(v);
    }
    count = static_cast<std::uint8_t>(N);
}

void parse(LineCursor& in, const QStringList& bandNames, std::span<const ModuleRecord> loaded, ModuleRecord& r,
           QString& repeated)
{
    in.Header("[Product]");
    const std::string_view code = in.Value("Code");
    r.Code = byteValue(code);
    // The stored, rounded-down code must be unique: "5.5" beside a loaded 5 would be a second 5.
    repeated = toText(code);
    for (const ModuleRecord& other : loaded)
        if (other.Code == r.Code)
            refuse(ModuleTextResult::DuplicateCode);
    r.Productor = toText(in.Value("Productor"));
    r.Model = toText(in.Value("Model"));
    repeated = r.Model;
    for (const ModuleRecord& other : loaded)
        if (other.Model == r.Model)
            refuse(ModuleTextResult::DuplicateModel);
    r.BoxType = byteValue(in.Value("BoxType"));
    in.Skip();

    in.Header("[Compatibility List]");
    for (std::size_t k = 0;; ++k) {
        const std::string_view entry = in.Line();
        if (entry.empty())
            break;
        if (k == r.CompatList.size())
            refuse();
        r.CompatList[k] = byteValue(entry);
    }

    in.Header("[Physical Profile]");
    r.FrontLen = wordValue(in.Value("FrontLen"));
    r.RearLen = wordValue(in.Value("RearLen"));
    in.Skip();
    r.BoxLen = wordValue(in.Value("BoxLen"));
    r.CoG_X = wordValue(in.Value("CoG_X"));
    in.Skip();
    r.CoG_Z = wordValue(in.Value("CoG_Z"));
    r.Weight = wordValue(in.Value("Weight"));
    in.Skip();

    in.Header("[Flying Bar]");
    r.FFrontLen = wordValue(in.Value("FFrontLen"));
    r.FLen = wordValue(in.Value("FLen"));
    r.FY_Len = wordValue(in.Value("FY_Len"));
    r.Reverse_Mode_X = wordValue(in.Value("Reverse_Mode_X"));
    r.FCoG_X = wordValue(in.Value("FCoG_X"));
    in.Skip();
    r.FCoG_Z = wordValue(in.Value("FCoG_Z"));
    r.FWeight = wordValue(in.Value("FWeight"));
    r.FSHole_Y = wordValue(in.Value("FSHole_Y"));
    in.Skip();

    in.Header("[Central Flying Bar Holes]");
    holeList(in, "FCHole", r.FCHole, r.FCHoleCount);
    in.Skip();
    in.Header("[Side Flying Bar Holes]");
    holeList(in, "FSHole", r.FSHole, r.FSHoleCount);
    // Above 100 a module is no loudspeaker and has neither mounting angles nor a profile.
    if (r.BoxType > 100)
        return;

    in.Skip();
    in.Header("[Mounting]");
    holeList(in, "Hole", r.Hole, r.HoleCount);
    in.Skip();

    in.Header("[Front Attenuation Profile]");
    // One point every 10 mm of front, the top one included.
    const int lastPoint = static_cast<int>(std::floor(r.FrontLen / 10.0));
    if (lastPoint >= ProfilePoints || bandNames.size() < ProfileBands)
        refuse();
    for (int b = 0; b < ProfileBands; ++b) {
        if (b > 0)
            in.Skip();
        in.Header('[' + bandNames[b].toStdString() + ']');
        for (int j = 0; j <= lastPoint; ++j) {
            r.FrontAttenuationProfile[j][b].Abs = byteValue(in.Value(indexedKey("Abs", j)));
            r.FrontAttenuationProfile[j][b].Delay = byteValue(in.Value(indexedKey("Delay", j)));
        }
    }
}

}

ModuleTextResult ParseModuleText(std::string_view text, const QStringList& bandNames,
                                 std::span<const ModuleRecord> loaded, ModuleRecord& record)
{
    ModuleTextResult result;
    LineCursor in(text);
    try {
        parse(in, bandNames, loaded, record, result.repeated);
        result.kind = ModuleTextResult::Accepted;
    } catch (const Refusal& r) {
        result.kind = r.kind;
    }
    return result;
}

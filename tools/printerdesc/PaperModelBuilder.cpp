#include "tools/printerdesc/PaperModelBuilder.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/GSettingIds.h"
#include "paper/GBin.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GFormToTrayDatabase.h"
#include "paper/GMarginPool.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"
#include "tools/printerdesc/DataFileBuilder.h"
#include "tools/printerdesc/DescriptionArguments.h"

namespace {

constexpr int64_t kMicrometresPerInch = 25400;
constexpr uint32_t kMicrometreUnit = 3; // 1/1000 mm, the custom sizes' unit 3

// Left, top, right, bottom.
using Margins = std::array<int64_t, 4>;

struct Resolution {
    uint16_t x;
    uint16_t y;
};

// A sheet as a description gives it: its size and its margins, portrait.
struct Sheet {
    int16_t paperId = 0;
    std::string name;
    int64_t width = 0;
    int64_t height = 0;
    Margins margins{0, 0, 0, 0};
};

// Margins of the sheet turned counter-clockwise to the orientation.
Margins Turn(const Margins& portrait, int32_t orientation) {
    Margins turned = portrait;
    for (int i = 0; i < orientation / 90; ++i) {
        turned = {turned[1], turned[2], turned[3], turned[0]};
    }
    return turned;
}

int64_t Dots(int64_t micrometres, uint16_t dpi) {
    return (micrometres * dpi + kMicrometresPerInch / 2) / kMicrometresPerInch;
}

Margins ReadMargins(const DescriptionArguments& arguments, size_t first) {
    return {arguments.Length(first), arguments.Length(first + 1), arguments.Length(first + 2),
            arguments.Length(first + 3)};
}

Resolution ReadResolution(const DescriptionArguments& arguments, size_t index) {
    const std::string& text = arguments.Word(index);
    const size_t cross = text.find('x');
    const std::string xText = text.substr(0, cross);
    const std::string yText = cross == std::string::npos ? xText : text.substr(cross + 1);
    const auto digits = [](const std::string& t) {
        return !t.empty() && t.size() <= 4 && t.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digits(xText) || !digits(yText))
        arguments.Fail("'" + text + "' is not a resolution (600 or 1200x600)");
    const int x = std::stoi(xText);
    const int y = std::stoi(yText);
    if (x < 1 || y < 1 || x > 4800 || y > 4800)
        arguments.Fail("resolution " + text + " is outside 1..4800 dpi");
    return {static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
}

int32_t ReadOrientation(const DescriptionArguments& arguments, size_t index) {
    const auto angle = static_cast<int32_t>(arguments.Integer(index, 0, 270, "orientation"));
    if (angle % 90 != 0) arguments.Fail("orientation " + std::to_string(angle) + " is not 0, 90, 180 or 270");
    return angle;
}

// "PAPER-ID "name" W H [margins L T R B | imageable W H at L T]" from
// argument first on; the rest of the statement is left to the caller.
// Returns the index of the first argument after the sheet.
size_t ReadSheet(const DescriptionArguments& arguments, size_t first, const Margins& defaultMargins,
                 Sheet& sheet) {
    sheet.paperId = static_cast<int16_t>(arguments.Integer(first, 0, 32767, "paper id"));
    sheet.name = arguments.Text(first + 1);
    sheet.width = arguments.Length(first + 2);
    sheet.height = arguments.Length(first + 3);
    sheet.margins = defaultMargins;
    size_t next = first + 4;
    const std::string label = "paper " + std::to_string(sheet.paperId) + " \"" + sheet.name + "\"";
    if (arguments.IsWord(next, "margins")) {
        sheet.margins = ReadMargins(arguments, next + 1);
        next += 5;
    } else if (arguments.IsWord(next, "imageable")) {
        if (!arguments.IsWord(next + 3, "at")) arguments.Fail("imageable takes: WIDTH HEIGHT at LEFT TOP");
        const int64_t left = arguments.Length(next + 4);
        const int64_t top = arguments.Length(next + 5);
        const int64_t right = sheet.width - left - arguments.Length(next + 1);
        const int64_t bottom = sheet.height - top - arguments.Length(next + 2);
        if (right < 0 || bottom < 0) arguments.Fail(label + ": the imageable area is larger than the paper");
        sheet.margins = {left, top, right, bottom};
        next += 6;
    }
    if (sheet.margins[0] + sheet.margins[2] >= sheet.width ||
        sheet.margins[1] + sheet.margins[3] >= sheet.height) {
        arguments.Fail(label + ": the margins leave no imageable area");
    }
    return next;
}

// The media of a sheet turned to the orientation, in dots at the resolution.
std::unique_ptr<GMedia> MakeMedia(const DescriptionArguments& arguments, const Sheet& sheet,
                                  int32_t orientation, const Resolution& resolution, uint32_t id) {
    const bool turned = orientation == 90 || orientation == 270;
    const Margins margins = Turn(sheet.margins, orientation);
    const int64_t width = Dots(turned ? sheet.height : sheet.width, resolution.x);
    const int64_t height = Dots(turned ? sheet.width : sheet.height, resolution.y);
    const int64_t left = Dots(margins[0], resolution.x);
    const int64_t top = Dots(margins[1], resolution.y);
    const int64_t imageableWidth = width - left - Dots(margins[2], resolution.x);
    const int64_t imageableHeight = height - top - Dots(margins[3], resolution.y);
    const std::string label = "paper " + std::to_string(sheet.paperId) + " \"" + sheet.name + "\"";
    if (width > 32767 || height > 32767) {
        arguments.Fail(label + " is too large for 16-bit dots at " + std::to_string(resolution.x) + "x" +
                       std::to_string(resolution.y) + " dpi");
    }
    if (imageableWidth <= 0 || imageableHeight <= 0) {
        arguments.Fail(label + ": the margins leave no imageable area in dots");
    }
    const GShortPair size{static_cast<int16_t>(width), static_cast<int16_t>(height)};
    const GShortPair imageable{static_cast<int16_t>(imageableWidth), static_cast<int16_t>(imageableHeight)};
    const GShortPair origin{static_cast<int16_t>(left), static_cast<int16_t>(top)};
    return std::make_unique<GMedia>(RWCString(sheet.name.c_str()), size, imageable, origin, orientation,
                                    sheet.paperId, resolution.x, resolution.y, id);
}

// The header statements and papers of one media-pool block.
class MediaPoolReader {
public:
    explicit MediaPoolReader(GMediaPool& pool) : pool_(pool) {}

    void Read(const DescriptionStatement& statement) {
        const std::string& kind = statement.Kind();
        DescriptionArguments arguments(statement);
        arguments.ExpectNoBlock();
        if (kind == "resolutions") {
            for (size_t i = 1; i <= arguments.Count(); ++i)
                resolutions_.push_back(ReadResolution(arguments, i));
        } else if (kind == "orientations") {
            for (size_t i = 1; i <= arguments.Count(); ++i)
                orientations_.push_back(ReadOrientation(arguments, i));
        } else if (kind == "margins") {
            arguments.ExpectCount(4, 4);
            margins_ = ReadMargins(arguments, 1);
        } else if (kind == "paper") {
            Paper(arguments);
        } else {
            arguments.Fail(
                "a media pool holds resolutions, orientations, margins and paper statements, not '" + kind +
                "'");
        }
    }

private:
    void Paper(const DescriptionArguments& arguments) {
        if (resolutions_.empty() || orientations_.empty()) {
            arguments.Fail("the pool's resolutions and orientations must come before its first paper");
        }
        Sheet sheet;
        if (ReadSheet(arguments, 1, margins_, sheet) != arguments.Count() + 1) {
            arguments.Fail("paper takes: ID \"name\" WIDTH HEIGHT [margins L T R B | imageable W H at L T]");
        }
        for (int32_t orientation : orientations_) {
            for (const Resolution& resolution : resolutions_) {
                pool_.Add(
                    MakeMedia(arguments, sheet, orientation, resolution, GSettingId::kPoolMedia).release());
            }
        }
    }

    GMediaPool& pool_;
    std::vector<Resolution> resolutions_;
    std::vector<int32_t> orientations_;
    Margins margins_{0, 0, 0, 0};
};

// Reads "capacity N", "delivery K" and "display ID "t1" "t2"" after the
// fixed arguments of a tray or bin.
struct HolderOptions {
    int32_t capacity = -1;
    int32_t delivery = 0;
    uint16_t displayId = 0;
    std::string displayText1;
    std::string displayText2;
};

HolderOptions ReadHolderOptions(const DescriptionArguments& arguments, size_t first, bool isBin) {
    HolderOptions options;
    size_t i = first;
    while (i <= arguments.Count()) {
        if (arguments.IsWord(i, "capacity")) {
            options.capacity = static_cast<int32_t>(arguments.Integer(i + 1, 1, 100000, "capacity"));
            i += 2;
        } else if (isBin && arguments.IsWord(i, "delivery")) {
            options.delivery = static_cast<int32_t>(arguments.Integer(i + 1, 0, 255, "delivery kind"));
            i += 2;
        } else if (arguments.IsWord(i, "display")) {
            options.displayId = static_cast<uint16_t>(arguments.Integer(i + 1, 0, 65535, "string id"));
            options.displayText1 = arguments.Text(i + 2);
            options.displayText2 = arguments.Text(i + 3);
            i += 4;
        } else {
            arguments.Fail(std::string("unknown option '") + arguments.Word(i) + "' of '" +
                           (isBin ? "bin" : "tray") + "'");
        }
    }
    return options;
}

} // namespace

bool PaperModelBuilder::Makes(const std::string& kind) {
    return kind == "media" || kind == "media-pool" || kind == "margin-pool" || kind == "form-to-tray" ||
           kind == "custom-size" || kind == "device" || kind == "tray" || kind == "bin";
}

GCountedPtr PaperModelBuilder::Make(const DescriptionStatement& statement) {
    const std::string& kind = statement.Kind();
    if (kind == "media") return Media(statement);
    if (kind == "media-pool") return MediaPool(statement);
    if (kind == "margin-pool") return MarginPool(statement);
    if (kind == "form-to-tray") return FormToTray(statement);
    if (kind == "custom-size") return CustomSize(statement);
    if (kind == "device") return Device(statement);
    return Holder(statement);
}

GCountedPtr PaperModelBuilder::Media(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectNoBlock();
    Sheet sheet;
    size_t next = ReadSheet(arguments, 2, {0, 0, 0, 0}, sheet);
    Resolution resolution{GMedia::kDefaultResolution, GMedia::kDefaultResolution};
    int32_t orientation = 0;
    while (next <= arguments.Count()) {
        if (arguments.IsWord(next, "resolution")) {
            resolution = ReadResolution(arguments, next + 1);
        } else if (arguments.IsWord(next, "orientation")) {
            orientation = ReadOrientation(arguments, next + 1);
        } else {
            arguments.Fail("unknown option '" + arguments.Word(next) + "' of 'media'");
        }
        next += 2;
    }
    return GCountedPtr(MakeMedia(arguments, sheet, orientation, resolution, arguments.Id(1)));
}

GCountedPtr PaperModelBuilder::MediaPool(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(1, 1);
    arguments.ExpectBlock();
    auto* pool = new GMediaPool(arguments.Id(1));
    GCountedPtr held(pool);
    MediaPoolReader reader(*pool);
    for (const DescriptionStatement& child : statement.children)
        reader.Read(child);
    if (pool->GetCount() == 0)
        arguments.Fail("media pool " + std::to_string(pool->GetId()) + " holds no paper");
    return held;
}

GCountedPtr PaperModelBuilder::MarginPool(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(5, 5);
    arguments.ExpectNoBlock();
    const Margins portrait = ReadMargins(arguments, 2);
    GMarginRecord record{};
    for (int group = 0; group < 4; ++group) {
        const Margins turned = Turn(portrait, group * 90);
        for (int side = 0; side < 4; ++side)
            record[group * 4 + side] = static_cast<uint32_t>(turned[side]);
    }
    auto* pool = new GMarginPool(arguments.Id(1));
    GCountedPtr held(pool);
    pool->AddRecord(&record);
    return held;
}

GCountedPtr PaperModelBuilder::FormToTray(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(1, 1);
    // A printer comes without assignments; they are the user's.
    arguments.ExpectNoBlock();
    return GCountedPtr(new GFormToTrayDatabase(arguments.Id(1)));
}

GCountedPtr PaperModelBuilder::CustomSize(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    arguments.ExpectCount(5, 5);
    arguments.ExpectNoBlock();
    const auto paperId = static_cast<uint16_t>(arguments.Integer(2, 0, 65535, "paper id"));
    const int64_t width = arguments.Length(4);
    const int64_t height = arguments.Length(5);
    return GCountedPtr(new GCustomMediaSize(paperId, RWCString(arguments.Text(3).c_str()), kMicrometreUnit,
                                            static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                                            arguments.Id(1)));
}

GCountedPtr PaperModelBuilder::Device(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    if (arguments.Count() < 4) arguments.ExpectCount(4, 4);
    arguments.ExpectBlock();
    const DeviceOptions options = ReadDeviceOptions(arguments);
    auto* device = new GPaperHandlingDevice(
        options.display.displayId, RWCString(arguments.Text(2).c_str()),
        options.input ? GPaperHandlingDevice::kInputUnit : GPaperHandlingDevice::kOutputUnit,
        options.optional, options.installed, options.identify, options.keyed,
        options.display.displayText1.c_str(), options.display.displayText2.c_str(), arguments.Id(1));
    GCountedPtr held(device);
    AddSets(*device, statement, options.input);
    if (device->GetKeyCount() == 0) arguments.Fail("a device needs at least one set");
    return held;
}

PaperModelBuilder::DeviceOptions PaperModelBuilder::ReadDeviceOptions(const DescriptionArguments& arguments) {
    DeviceOptions options;
    const std::string& type = arguments.Word(3);
    const std::string& presence = arguments.Word(4);
    if (type != "input" && type != "output") {
        arguments.Fail("a device is an input or an output unit, not '" + type + "'");
    }
    if (presence != "fixed" && presence != "optional") {
        arguments.Fail("a device is fixed or optional, not '" + presence + "'");
    }
    options.input = type == "input";
    options.optional = presence == "optional" ? 1 : 0;
    for (size_t i = 5; i <= arguments.Count();) {
        if (arguments.IsWord(i, "installed")) {
            options.installed = 1;
            ++i;
        } else if (arguments.IsWord(i, "keyed")) {
            options.keyed = 1;
            ++i;
        } else if (arguments.IsWord(i, "identify")) {
            options.identify = static_cast<int32_t>(arguments.Integer(i + 1, 1, 3, "identification mode"));
            i += 2;
        } else if (arguments.IsWord(i, "display")) {
            options.display.displayId =
                static_cast<uint16_t>(arguments.Integer(i + 1, 0, 65535, "string id"));
            options.display.displayText1 = arguments.Text(i + 2);
            options.display.displayText2 = arguments.Text(i + 3);
            i += 4;
        } else {
            arguments.Fail("unknown option '" + arguments.Word(i) + "' of 'device'");
        }
    }
    return options;
}

void PaperModelBuilder::AddSets(GPaperHandlingDevice& device, const DescriptionStatement& statement,
                                bool input) {
    std::map<int64_t, int> firstLine;
    int64_t current = -1;
    for (const DescriptionStatement& set : statement.children) {
        DescriptionArguments arguments(set);
        if (set.Kind() != "set") arguments.Fail("a device holds set blocks, not '" + set.Kind() + "'");
        arguments.ExpectCount(1, 2);
        arguments.ExpectBlock();
        const int64_t key = arguments.Integer(1, 1, 65535, "set key");
        if (arguments.Count() == 2) {
            if (!arguments.IsWord(2, "current")) arguments.Fail("set takes: KEY [current]");
            current = key;
        }
        if (const auto [where, added] = firstLine.emplace(key, set.line); !added) {
            arguments.Fail("set key " + std::to_string(key) + " used twice (first at line " +
                           std::to_string(where->second) + ")");
        }
        auto* members = new GAttributeComposite(0);
        GCountedPtr held(members);
        for (const DescriptionStatement& member : set.children) {
            if (member.Kind() != (input ? "tray" : "bin")) {
                DescriptionArguments(member).Fail(
                    std::string(input ? "an input unit holds trays" : "an output unit holds bins") +
                    ", not '" + member.Kind() + "'");
            }
            DataFileBuilder::AddChild(*members, Holder(member), member);
        }
        device.AddTraySet(static_cast<uint16_t>(key), members);
    }
    if (current >= 0) device.SetCurrentKey(static_cast<uint16_t>(current));
}

GCountedPtr PaperModelBuilder::Holder(const DescriptionStatement& statement) {
    DescriptionArguments arguments(statement);
    if (arguments.Count() < 3) arguments.ExpectCount(3, 3);
    arguments.ExpectNoBlock();
    const bool isBin = statement.Kind() == "bin";
    const auto binId = static_cast<int16_t>(arguments.Integer(2, 0, 32767, "bin id"));
    const RWCString name(arguments.Text(3).c_str());
    const HolderOptions options = ReadHolderOptions(arguments, 4, isBin);
    if (isBin) {
        return GCountedPtr(new GBin(options.displayId, name, binId, 0, 0, options.capacity, -1,
                                    options.delivery, 0, options.displayText1.c_str(),
                                    options.displayText2.c_str(), arguments.Id(1)));
    }
    return GCountedPtr(new GTray(options.displayId, name, binId, options.capacity, 0, options.capacity, -1,
                                 nullptr, options.displayText1.c_str(), options.displayText2.c_str(),
                                 arguments.Id(1)));
}

#include "data/geokind.h"

namespace tarvo {

const std::string& GeoKindName(const UiTexts& texts, GeoKind kind) {
    return texts.UiText(kMsgGeoPosition + static_cast<int>(kind));
}

std::optional<GeoKind> GeoDefinitionKind(const std::string& line, const UiTexts& texts) {
    for (int k = 0; k < kGeoKinds; ++k) {
        const std::string& name = texts.UiText(kMsgGeoPosition + k);
        // The name padded to its 21 columns and the colon, so a feature named after a kind (in a
        // judgement line) is not taken for one.
        std::string head = name;
        head.resize(21, ' ');  // a longer name is cut as the line cuts it
        if (line.find(head + ":") != std::string::npos) {
            return static_cast<GeoKind>(k);
        }
    }
    return std::nullopt;
}

int GeoExportCode(GeoKind kind) { return static_cast<int>(kind) + 2; }

char GeoJournalKind(GeoKind kind) {
    static constexpr char kLetters[kGeoKinds] = {'T', 'R', 'S', 'L', 'Q', 'N', 'K'};
    return kLetters[static_cast<int>(kind)];
}

bool NeedsDatum(GeoKind kind) {
    return kind == GeoKind::Parallelism || kind == GeoKind::Perpendicularity || kind == GeoKind::Angularity ||
           kind == GeoKind::Concentricity;
}

}  // namespace tarvo

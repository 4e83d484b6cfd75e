// A `feature` answer typed into the feature dialog `Tmrk_set` as the operator would: the page,
// the name, each field, leaving "Nennwert" (which looks up a size and class), then OK.
#pragma once

#include <string>

namespace tarvo {

class FeatureDialog;

enum class FeatureTyping {
    Ok,         // OK closed the dialog
    Cancel,     // "feature cancel", or OK closed it as cancelled
    StaysOpen,  // OK showed an error and the dialog stays open for the next answer
    Refused,    // the answer is no feature answer; nothing was typed
};

// `answer` is the rest of the script line, "V NAME NOMINAL OT UT [FACTOR]", "P NAME X Y TOL",
// "A NAME good|bad" or "cancel"; "-" for OT or UT leaves the field as the lookup filled it.
[[nodiscard]] FeatureTyping TypeFeatureAnswer(FeatureDialog& dialog, const std::string& answer);

}  // namespace tarvo

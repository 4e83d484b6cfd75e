#include "featuretyping.h"

#include <sstream>
#include <vector>

#include "data/feature.h"

namespace tarvo {

FeatureTyping TypeFeatureAnswer(FeatureDialog& dialog, const std::string& answer) {
    std::istringstream words(answer);
    std::vector<std::string> f;
    for (std::string word; words >> word;) {
        f.push_back(word);
    }
    if (f.size() == 1 && f[0] == "cancel") {
        return FeatureTyping::Cancel;
    }
    const bool variable = !f.empty() && f[0] == "V" && (f.size() == 5 || f.size() == 6);
    const bool position = !f.empty() && f[0] == "P" && f.size() == 5;
    const bool attributive = !f.empty() && f[0] == "A" && f.size() == 3 && (f[2] == "good" || f[2] == "bad");
    if (!variable && !position && !attributive) {
        return FeatureTyping::Refused;
    }
    dialog.Text(FeatureDialog::kName) = f[1];
    if (variable) {
        dialog.SetPage(FeatureDialog::kVariabel);
        dialog.Text(FeatureDialog::kNennwert) = f[2];
        dialog.NennwertExit();
        // A size with a class fills OT and UT itself; typed values are taken as they come.
        if (f[3] != "-") {
            dialog.Text(FeatureDialog::kOT) = f[3];
        }
        if (f[4] != "-") {
            dialog.Text(FeatureDialog::kUT) = f[4];
        }
        if (f.size() == 6) {
            dialog.Text(FeatureDialog::kFaktor) = f[5];
        }
    } else if (position) {
        dialog.SetPage(FeatureDialog::kPosition);
        dialog.Text(FeatureDialog::kPositionX) = f[2];
        dialog.Text(FeatureDialog::kPositionY) = f[3];
        dialog.Text(FeatureDialog::kToleranz) = f[4];
    } else {
        dialog.SetPage(FeatureDialog::kAttributiv);
        dialog.choice = f[2] == "bad" ? 1 : 0;
    }
    switch (dialog.Ok()) {
        case FeatureDialog::Closing::Ok:
            return FeatureTyping::Ok;
        case FeatureDialog::Closing::Cancel:
            return FeatureTyping::Cancel;
        case FeatureDialog::Closing::StaysOpen:
            break;
    }
    return FeatureTyping::StaysOpen;
}

}  // namespace tarvo

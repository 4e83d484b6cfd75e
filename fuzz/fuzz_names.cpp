// Any bytes as a names file (the first line of the input is the name a comparison adds, the rest
// the file of the page its first byte chooses), rewritten by the feature dialog's OK: a file that
// cannot be read is never written over; one that can is rewritten with every name it held and
// the new one (control characters blank), in order, and reads back as written (unless the names
// make it read as UTF-8).
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"
#include "data/feature.h"
#include "fuzzdir.h"
#include "fuzzoperator.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::filesystem::path dir = FuzzDir("names");
    if (size == 0) {
        return 0;
    }
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t end = bytes.find('\n');
    const std::string name =
        bytes.substr(1, end == std::string::npos ? std::string::npos : end - std::min<std::size_t>(end, 1));
    const std::string file = end == std::string::npos ? std::string() : bytes.substr(end + 1);
    const int page = static_cast<unsigned char>(bytes[0]) % 3;
    const std::filesystem::path names = dir / tarvo::FeatureNamesFile(page);
    std::ofstream(names, std::ios::binary | std::ios::trunc) << file;
    const auto before = tarvo::ReadTextLines(names);

    tarvo::FeatureDef def;
    FuzzOperator op;
    tarvo::FeatureDialog dialog(def, op, 3, dir, false);
    dialog.Prefill();
    dialog.SetPage(static_cast<tarvo::FeatureDialog::Page>(page));
    dialog.Text(tarvo::FeatureDialog::kName) = name;
    dialog.Text(tarvo::FeatureDialog::kNennwert) = "10";
    dialog.Text(tarvo::FeatureDialog::kOT) = "0.1";
    dialog.Text(tarvo::FeatureDialog::kUT) = "-0.1";
    dialog.Text(tarvo::FeatureDialog::kToleranz) = "0.1";
    const auto closing = dialog.Ok();

    const auto after = tarvo::ReadTextLines(names);
    // Names whose bytes happen to be UTF-8 make the rewritten file read as UTF-8, converted: the
    // readers' rule for files from other editors; only such names come back otherwise.
    const std::string written = tarvo::ReadFileBytes(names).value_or("");
    const bool converted = tarvo::LooksLikeUtf8(written) || written.rfind("\xEF\xBB\xBF", 0) == 0;
    if (!before) {
        if (tarvo::ReadFileBytes(names) != file) {
            std::abort();  // a file that could not be read was written over
        }
    } else if (closing == tarvo::FeatureDialog::Closing::Ok && !converted) {
        if (!after) {
            std::abort();  // rewritten into a file that cannot be read back
        }
        std::string line = name;  // as a line can hold it: control characters blank
        std::replace_if(
            line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; }, ' ');
        if (std::find(after->begin(), after->end(), line) == after->end()) {
            std::abort();  // the new name not there
        }
        for (const auto& kept : *before) {
            if (std::find(after->begin(), after->end(), kept) == after->end()) {
                std::abort();  // a name lost
            }
        }
        if (!std::is_sorted(after->begin(), after->end(), tarvo::GermanLess) && after != before) {
            std::abort();  // rewritten out of order
        }
    }
    (void)tarvo::TakeFileNotes();
    return 0;
}

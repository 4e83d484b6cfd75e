// The README documents the script language: every word tarvo-cli understands is in its table
// of actions, and every word the table names is understood; the same for the `print` views.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "printviews.h"
#include "scriptrunner.h"

namespace tarvo {
namespace {

struct DocumentedWords {
    std::set<std::string> words;
    std::set<std::string> printViews;
};

// The first cell of each row of the table under "Actions available now:" in the section
// "## tarvo-cli"; of every `code span` in it, the first word (and for `print`, the second).
DocumentedWords ReadmeWords() {
    std::ifstream in(TARVO_README);
    std::string line;
    while (std::getline(in, line) && line != "## tarvo-cli") {
    }
    while (std::getline(in, line) && line != "Actions available now:") {
    }
    DocumentedWords found;
    bool inTable = false;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] != '|') {
            if (inTable) {
                break;
            }
            continue;
        }
        inTable = true;
        // The cell ends at the first "|" that is not written "\|".
        std::size_t end = 1;
        while (end < line.size() && (line[end] != '|' || line[end - 1] == '\\')) {
            ++end;
        }
        const std::string cell = line.substr(1, end - 1);
        for (std::size_t open = cell.find('`'); open != std::string::npos; open = cell.find('`', open)) {
            const std::size_t close = cell.find('`', open + 1);
            if (close == std::string::npos) {
                break;
            }
            std::istringstream span(cell.substr(open + 1, close - open - 1));
            std::string word;
            std::string second;
            span >> word >> second;
            found.words.insert(word);
            if (word == "print") {
                found.printViews.insert(second);
            }
            open = close + 1;
        }
    }
    return found;
}

TEST(ReadmeWords, TheTableOfActionsListsEveryWordOfTheRunner) {
    const DocumentedWords readme = ReadmeWords();
    ASSERT_FALSE(readme.words.empty()) << "no table of actions found in " << TARVO_README;
    const auto names = ScriptRunner::WordNames();
    const std::set<std::string> runner(names.begin(), names.end());
    EXPECT_EQ(names.size(), runner.size()) << "a word stands twice in the runner's table";
    EXPECT_EQ(readme.words, runner);
}

TEST(ReadmeWords, ThePrintViewsAreTheDocumentedOnes) {
    const DocumentedWords readme = ReadmeWords();
    std::set<std::string> views;
    for (const PrintView& v : PrintViews()) {
        views.insert(v.name);
    }
    EXPECT_EQ(readme.printViews, views);
}

}  // namespace
}  // namespace tarvo

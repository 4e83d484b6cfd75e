#include "shell/uitexts.h"

#include "base/checked.h"
#include "base/cp1252.h"

namespace tarvo {

namespace {

const char* const kCommonDefaults[kCommonListSize] = {
    "Kopfdaten",
    "Merkmalsinfo",
    "Winkelauswahl ",
    "Systemeinstellungen",
    "Textzeile",
    "Auswahl",
    "Graphische Darstellung",
    "Eingabe",
    "Merkmalsnamen",
    "Methode",
    "Abstand auswählen",
    "K-System Funktionen",
    "Info",
    "Zuwenig Punkte",
    "TARVO Meßprotokoll",
    "< Letzte Zeile löschen >",
    "Lernbetrieb starten",
    "Lernbetrieb: aktiv",
    "Koordinatensystem zurücksetzen ?",
    "Lernbetrieb beenden ?",
    "<ESC>=Abbruch",
    "Lernbetrieb abbrechen ?",
    "Wiederholung abgebrochen !",
    "Wiederholung beendet !",
    "Alle Speicher löschen ?",
    "Koordinatensystem zurücksetzen ?",
    "Versatz",
    "Prüfer",
    "Charge",
    "Teilename",
    "X-Koordinate",
    "Y-Koordinate",
    "Punkteingabe",
    "Punktespeicher löschen ?",
    "Letzte Programmzeile löschen ?",
    "Vorangegange Punkte aus dem Programm löschen ?",
    "Letzte Speicherzeile löschen ?",
    "Lernbetrieb: inaktiv",
    "Kreismittelpunkt",
};

const char* const kResultDefaults[kResultNamesSize] = {
    "Kreis",
    "D",
    "R",
    "Abstand 2P",
    "Abstand GP",
    "Winkel",
    "Gerade",
    "Punkt",
    "Symetriegerade",
    "Abstand X",
    "Abstand Y",
    "Soll-Ist Vergleich NW",
    "Soll-Ist Vergleich PT",
    "Soll-Ist Vergleich A",
    "OT",
    "UT",
    "Seite",
    "Versatz    X",
    "Versatz    Y",
    "Ausrichtung 2 G",
    "Ausrichtung 1 G",
    "Ausrichtung K G",
    "Nullen",
    "Fläche",
};

}  // namespace

UiTexts::UiTexts() {
    for (const char* t : kCommonDefaults) {
        m_common.push_back(Ansi(t));
    }
    for (const char* t : kResultDefaults) {
        m_results.push_back(Ansi(t));
    }
}

const std::string& UiTexts::UiText(int n) const { return m_common[CheckedIndex(n, m_common.size(), "UI-Text")]; }

const std::string& UiTexts::ResultName(int n) const {
    return m_results[CheckedIndex(n, m_results.size(), "Ergebnisname")];
}

void UiTexts::SetUiText(int n, std::string text) {
    m_common[CheckedIndex(n, m_common.size(), "UI-Text")] = std::move(text);
}

void UiTexts::SetResultName(int n, std::string text) {
    m_results[CheckedIndex(n, m_results.size(), "Ergebnisname")] = std::move(text);
}

}  // namespace tarvo

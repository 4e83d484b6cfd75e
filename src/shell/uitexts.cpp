#include "shell/uitexts.h"

#include "base/checked.h"
#include "base/cp1252.h"
#include "shell/settings.h"

namespace tarvo {

namespace {

const char* const kCommonDefaults[kCommonListSize] = {
    // 0-38: the numbered texts of the window and its dialogs.
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
    // 39 on: the messages the program composes; "%1", "%2" ... stand for the parts it fills in.
    "Soll-Ist Vergleich: keine Speicherzeile ausgewählt",
    "Soll-Ist Vergleich: Zeile %1 hat keinen lesbaren Wert",
    "Soll-Ist Vergleich: Zeile %1 hat keine lesbare Position",
    "Soll-Ist Vergleich: Speicherzeile %1 gibt es nicht",
    "Die Datei \"%1\" kann nicht gelesen werden",
    "Nichts zu tun",
    "Programmzeile %1 übersprungen: %2",
    "Speicherzeile %1 ist kein Kreis",
    "kein Versatz angegeben",
    "kein Winkel angegeben",
    "keine Koordinaten angegeben",
    "Modus 0 oder 1 erwartet",
    "Auswahl %1 gibt es nicht",
    "Speicherzeile %1 gibt es nicht",
    "Schreiben auf CD nicht möglich",
    "Das Programm ist nicht gespeichert. Verwerfen ?",
    "Speichern..",
    "%1: %2 = %3 liegt außerhalb %4..%5, der Standardwert bleibt",
    "COM%1 Error",
    "Hardwarezähler zurücksetzen ?",
    "Zählerkarte (IF3INC=1): die I/O-Ports können nicht geöffnet werden (/dev/port braucht Root-Rechte auf einem "
    "x86-Rechner); es werden keine Positionen gelesen",
    "Ergebnis:",
    "Eine Fläche braucht mindestens drei verschiedene Punkte.",
    "Linienlänge:",
    "In die Fläche klicken",
    "Der Klick liegt auf der Linie, nicht in einer Fläche. Bitte in die Fläche klicken.",
    "Der Klick liegt außerhalb jeder geschlossenen Fläche. Bitte in die Fläche klicken.",
    "Fläche in mm²:",
    "Die Flächenmessung ist abgeschaltet (Datei \"nobmp\").",
    "Bericht gespeichert: %1",
    "%1: %2 = %3 kann nicht gespeichert werden",
    "Die Datei \"%1\" enthält keine gültigen Zahlen; sie wird nicht beachtet",
    "Zurücksetzen",
    "Versatz X",
    "Versatz Y",
    "Koordinatensystem drehen ",
    "Ausrichten über zwei Geraden",
    "Ausrichten über eine Gerade",
    "Ausrichten (Kreismittel)-Punkt - Gerade",
    "Nullen X",
    "Nullen Y",
    "Punkt nullen",
    "Kopfdaten drucken ?",
    "Linien extrahieren ?",
    "Im Exportordner \"%1\" ist kein freier Dateiname zu finden",
    " OT <= UT ",
    " OT <= 0 ",
    "Ungültige Zahl",
    "Zahl außerhalb des Wertebereichs",
    "Die Datei \"%1\" kann nicht gelesen werden; sie wird nicht überschrieben, die Standardwerte gelten",
    "Datei kann nicht geschrieben werden: %1",
    "%1 außerhalb 0..%2",
    "Die DXF-Vorlagen \"dxfhead.asc\" und \"dxftail.asc\" fehlen im Arbeitsordner",
    "Die Radienkompensation braucht eine Kontur ohne Werkzeugmarken: Eintrag %1. Zuerst \"+/- entfernen\".",
    "Kein Punkt: Eintrag %1",
    "Für die Radienkompensation sind mindestens zwei verschiedene Punkte nötig.",
    "Die Kontur kehrt bei Punkt %1 um (Hin- und Rückweg auf einer Linie): dafür gibt es keine Werkzeugbahn.",
    "Die Werkzeugbahn ist leer: kein Programm geschrieben.",
    "Der erste Eintrag muss ein Punkt sein (Startpunkt und Rückweg), nicht \"%1\".",
    "Kopf drucken mit LOGO",
    "getrennt",
    "Die Verbindung zur Zählerelektronik ist unterbrochen (%1). TARVO verbindet sich wieder, sobald sie zurück ist.",
    "Die Datei \"%1\" kann nicht gelesen werden; sie bleibt als \"%2\" erhalten, die Ergebnisse werden neu gesichert",
    "Die Datei \"%1\" kann nicht gelesen werden; sie wird nicht überschrieben, die Ergebnisse werden nicht gesichert",
    "Die Datei \"%1\" kann nicht gelesen werden; sie wird nicht überschrieben",
    "Die Datei \"%1\" ist beschädigt (%2) und wird nicht verwendet",
    "Die Datei \"%1\" ist in UTF-8 statt Windows-1252 geschrieben und wurde umgewandelt gelesen",
    "Die Datei \"%1\" ist am Ende abgeschnitten; die letzte Zeile ist unvollständig",
    "Binärdaten",
    "eine Zeile mit über %1 Zeichen",
    "Die ISO-Toleranz \"%1\" steht nicht in \"%2\"",
    "Die Datei \"%1\" ist kein lesbares Bild; der Bericht wird ohne sie gedruckt",
    "unbekanntes Wort \"%1\"",
    "Feld %1 ist keine Zahl",
    "Keine Position: die Verbindung zur Zählerelektronik ist unterbrochen. Es wurde kein Punkt aufgenommen.",
    "Ergebniszeilen: %1; Merkmale: %2, davon gut: %3, schlecht: %4",
    "Im Fußschalterbetrieb gelten die Faktoren nicht: die Positionen kommen fertig von der Zählerelektronik.",
    "%1: %2 = %3 ist nicht erlaubt, es gilt %4",
    "Bitte einen Eintrag wählen",
    "Druckvorschau",
    "Als PDF speichern",
    "Programm gespeichert: %1",
    "Enddoc done",
    "COM%1 Error: %2 kann nicht geöffnet werden (%3)",
    "Der Benutzer darf %1 nicht öffnen. Auf Debian gehört die Schnittstelle der Gruppe dialout: \"sudo adduser "
    "BENUTZER dialout\", danach neu anmelden.",
    "Kalibriert am %1, fällig am %2",
    "Die Kalibrierung vom %1 war am %2 fällig: bitte die Maschine neu kalibrieren.",
    "Die Kalibrierdatei \"%1\" ist beschädigt (%2): es wird ohne Korrektur gemessen, die Datei wird nicht "
    "überschrieben.",
    "Kalibrierdatei beschädigt: ohne Korrektur",
    "zu wenige Punkte: %1 nötig, %2 erfasst",
    "Marke %1 liegt nicht in der Reihenfolge der Marken",
    "die Korrektur von %1 % ist größer als 1 % (falsches Normal eingegeben?)",
    "mehr als %1 Marken",
    "Kalibrierung abgelehnt: %1. Nichts gespeichert.",
    "Kalibrierung speichern? %1",
    "Die beschädigte Kalibrierdatei \"%1\" durch die neue Kalibrierung ersetzen?",
    "Kalibrierung %1: Ende %2 der Länge %3 mm antasten",
    "Kalibrierung %1: Marke %2 von %3 bei %4 mm antasten",
    "Rechtwinkligkeit: Kante %1 des Winkelnormals antasten (%2 Punkte), dann weiter",
    "Rechtwinkligkeit: die Kante in Lage %1 antasten (%2 Punkte), dann weiter",
    "Kalibrierung: alle Punkte erfasst, jetzt berechnen",
    "Länge %1: gemessen %2 mm, zertifiziert %3 mm, Fehler %4 µm, Faktor %5, Rest %6 µm",
    "Marke %1 bei %2 mm: Fehler %3 µm, Rest %4 µm",
    "Winkel gemessen %1°, Soll %2°: Fehler %3 µrad (%4 µm auf 100 mm), Rest %5 µrad",
    "Fehler bis %1 µm, Rest nach Korrektur bis %2 µm",
    "Kalibriert am %1, fällig am %2, Normal %3, Zertifikat %4",
    "Kalibrierung gespeichert in \"%1\"",
    "kein zertifiziertes Maß eingegeben",
    "Das Zertifikat \"%1\" enthält keine lesbaren Positionen",
    "Bediener",
    "Normal (Kennung)",
    "Zertifikat-Nr.",
    "Temperatur in °C",
    "Keine Kalibrierung begonnen",
    "Journal nicht verwendbar, die Datei bleibt unverändert; gemessen wird ohne Journal: %1",
    "Journal-Server nicht erreichbar, die Teile bleiben im lokalen Journal: %1",
    "Journal-Server lehnt die Anmeldung ab, die Teile bleiben im lokalen Journal: %1",
    "Journal-Server wieder erreichbar, die lokal gespeicherten Teile werden gesendet",
    "Journal: die Passwortdatei fehlt oder ist für andere lesbar, die Teile bleiben im lokalen Journal: %1",
    "Journal: Teil nicht gespeichert: %1",
    "Statistik %1, Merkmal %2",
    "Istwerte mit Nennmaß und Toleranzgrenzen",
    "Einzelwertkarte mit Eingriffsgrenzen",
    "Gleitende Spannweite",
    "Histogramm mit Toleranzgrenzen und Normalverteilung",
    "Mittelwert",
    "Sigma innerhalb",
    "Sigma gesamt",
    "Außerhalb der Toleranz",
    "Zeitraum, Stationen",
    "alle",
    "Statistik gespeichert: %1",
    "Statistik",
    "Programm",
    "Merkmal",
    "Von (Datum)",
    "Bis vor (Datum)",
    "Stationen (mit Komma getrennt)",
    "Anzeigen",
    "Drucken",
    "Als PDF speichern",
    "Als CSV speichern",
    "Kein Ergebnisjournal (abgeschaltet oder nicht verwendbar)",
    "Journal: %1 Teile werden an den Server gesendet",
    "Keine Einträge vorhanden",
    "Punkte für \"%1\"",
    // The names of the file dialogs' filters.
    "Kopfdaten",
    "Alle Dateien",
    "TARVO-Programm",
    "Speicherinhalt",
    "DXF Dateien",
    "ASCII-Punktdateien",
    "Punktdateien",
    "Keine Kamera angeschlossen",
    "Die Kamera \"%1\" liefert kein Bild",
    "Keine Kante nahe der angeklickten Stelle",
    "Kante zu schwach (Kontrast %1 Graustufen)",
    "Die drei Kanten ergeben keinen Kreis",
    "Kante im Kamerabild antasten",
    "Kreis im Kamerabild antasten",
    "Kamerakalibrierung: Tisch verfahren, Kreis im Bild lassen und erneut antasten",
    "Kamera kalibriert: Pixel %1 x %2 µm, Drehung %3°, gespeichert in \"%4\"",
    "Kamerakalibrierung nicht möglich: %1",
    "Kamera: Pixel %1 x %2 µm, Drehung %3°, kalibriert am %4 mit %5",
    "Form- und Lagetoleranz",
    "Positionstoleranz",
    "Rundheitstoleranz",
    "Geradheitstoleranz",
    "Parallelitätstoleranz",
    "Rechtwinkligkeitstol.",
    "Neigungstoleranz",
    "Konzentrizitätstol.",
    "%1: keine Speicherzeile ausgewählt",
    "%1: Speicherzeile %2 ist kein Kreis",
    "%1: Speicherzeile %2 ist keine Gerade",
    "%1: Speicherzeile %2 hat keine gespeicherten Punkte (nur die in dieser Sitzung gemessenen Kreise und Geraden "
    "behalten sie)",
    "%1: die Toleranzzone muss größer als 0 sein",
    "%1: MMC und LMC brauchen einen Kreis mit Maß (D oder R) und ein Maß mit OT größer als UT",
    "%1: Bezug %2 gibt es nicht",
    "%1: Bezug und Merkmal sind dieselbe Speicherzeile",
    "%1: Speicherzeile %2 hat keine Formabweichung",
    "%1: Speicherzeile %2: %3",
    "%1 nicht möglich: %2",
    "Bezug Kreis %1, Gerade %2",
    "Neu auswerten als",
    "Zu dieser Zeile sind keine Punkte gespeichert",
    "Abweichungen %1-fach",
    "unbekanntes Bezugselement",
    "nicht lesbar",
    "kein gültiges Datum",
    "eine Korrektur ist keine Zahl",
    "Faktor %1 ändert um mehr als 1 %",
    "mehr als %1 Marken in %2",
    "Marken in %1 nicht aufsteigend",
    "Marken in %1 korrigieren um mehr als 1 %",
    "Rechtwinkligkeit über 10 mrad",
    "Gitter mit %1 × %2 Punkten im Abstand %3 × %4 mm und %5 Korrekturen",
    "das Gitter korrigiert am Punkt %1 um mehr als 1 % des Abstands",
    "Gitterplatte: Punkt %1 von %2 (Spalte %3, Zeile %4) antasten",
    "Gitter %1 × %2 Punkte im Abstand %3 × %4 mm: Fehler bis %5 µm, Rest bis %6 µm",
    "Punkt %1 liegt nicht an seinem Platz im Gitter",
    "Maschine kalibrieren",
    "Endmaß der zertifizierten Länge parallel zur Achse auflegen; erst das eine, dann das andere Ende antasten.",
    "Glasmaßstab parallel zur Achse auflegen; die Marken der Reihe nach antasten, beginnend mit der ersten.",
    "Winkelnormal auflegen: erst mehrere Punkte der Kante entlang X antasten, \"Nächste Kante\", dann die Kante "
    "entlang Y.",
    "Eine gerade Kante entlang X antasten, \"Nächste Kante\", das Teil um 90° drehen und dieselbe Kante entlang Y "
    "antasten.",
    "Gitterplatte auflegen (nach den Achsen kalibrieren); die Punkte zeilenweise antasten: die erste Zeile entlang "
    "X, dann die nächste Zeile darüber.",
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

namespace {

// Matches `text` against the German pattern from `piece` on; the parts standing for %1..%9 go
// into `parts`. The shortest part that lets the rest match is taken.
bool Match(std::string_view pattern, std::string_view text, std::vector<std::string>& parts) {
    const auto mark = pattern.find('%');
    if (mark == std::string_view::npos || mark + 1 >= pattern.size() || pattern[mark + 1] < '1' ||
        pattern[mark + 1] > '9') {
        return pattern == text;
    }
    if (text.substr(0, mark) != pattern.substr(0, mark)) {
        return false;
    }
    const std::size_t slot = static_cast<std::size_t>(pattern[mark + 1] - '1');
    const std::string_view rest = pattern.substr(mark + 2);
    text.remove_prefix(mark);
    for (std::size_t take = 0; take <= text.size(); ++take) {
        std::vector<std::string> tried = parts;
        if (Match(rest, text.substr(take), tried)) {
            parts = std::move(tried);
            if (parts.size() <= slot) {
                parts.resize(slot + 1);
            }
            parts[slot] = std::string(text.substr(0, take));
            return true;
        }
    }
    return false;
}

std::string Fill(const std::string& pattern, const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto slot = static_cast<std::size_t>(pattern[i + 1] - '1');
            out += slot < parts.size() ? parts[slot] : std::string();
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace

std::string DamagedFileMessage(const FileNote& note, const UiTexts& texts) {
    const std::string name = note.file.filename().string();
    switch (note.damage) {
        case FileDamage::Binary:
            return texts.Compose(kMsgFileDamaged, {name, texts.Compose(kMsgBinaryBytes, {})});
        case FileDamage::LongLine:
            return texts.Compose(kMsgFileDamaged, {name, texts.Compose(kMsgLongLine, {std::to_string(kMaxFileLine)})});
        case FileDamage::Utf8:
            return texts.Compose(kMsgFileUtf8, {name});
        case FileDamage::Cut:
            return texts.Compose(kMsgFileCut, {name});
        case FileDamage::NotNumbers:
            return NotNumbersProblem(name);
        case FileDamage::NotPicture:
            return texts.Compose(kMsgNotPicture, {name});
    }
    return name;
}

std::string UiTexts::Translate(std::string_view message) const {
    for (std::size_t i = kNumberedTexts; i < m_common.size(); ++i) {
        const std::string german = Ansi(kCommonDefaults[i]);
        if (german == m_common[i]) {
            continue;  // not translated: nothing to do
        }
        std::vector<std::string> parts;
        if (Match(german, message, parts)) {
            // A part may be a message of its own ("Programmzeile 3 übersprungen: kein Winkel ...").
            for (std::string& part : parts) {
                if (part.size() < message.size()) {
                    part = Translate(part);
                }
            }
            return Fill(m_common[i], parts);
        }
    }
    return std::string(message);
}

std::string UiTexts::Compose(int n, std::initializer_list<std::string_view> parts) const {
    return Fill(UiText(n), std::vector<std::string>(parts.begin(), parts.end()));
}

void UiTexts::SetResultName(int n, std::string text) {
    m_results[CheckedIndex(n, m_results.size(), "Ergebnisname")] = std::move(text);
}

}  // namespace tarvo

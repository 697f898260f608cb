// The table of interface texts, looked up by section and key: filled with the
// built-in Russian texts at creation, replaced text by text from a language file.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace reelkeep {

struct LanguageEntry {
    QString Section;
    QString Key;
    QString Text;
};

// A text of the table without its mnemonic marks ("&Файл" → "Файл", "&&" → "&"), for
// places that show no mnemonic: hints, titles, messages, the tool's output.
QString WithoutMnemonic(const QString& text);

class TzkLanguage {
public:
    // Holds the built-in entries.
    TzkLanguage();

    void AddEntry(const QString& section, const QString& key, const QString& text);
    // Exact, case-sensitive lookup; throws ReelkeepError
    // "Constant in translating module not found" for an unknown pair.
    const QString& GetValue(const QString& section, const QString& key) const;
    // Takes every text the file holds (others keep their current text), then
    // writes the whole table back, completing or creating the file.
    void LoadFromFile(const QString& path);
    void WriteBack(const QString& path) const;

    std::vector<LanguageEntry> Entries;
    std::int32_t Count = 0;
};

} // namespace reelkeep

// levels.h: the three difficulty levels and everything that hangs on them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tintwise::engine {

enum class DifficultyLevel
{
    Beginner,
    Intermediate,
    Advanced
};

struct LevelInfo
{
    DifficultyLevel level;
    int menuIndex;                  // index of the mnuDifficulty entry
    std::string_view menuCaption;   // "&Beginner (7 colors)"
    std::int16_t colourCount;       // the value of Dif at this level
    std::string_view key;           // names the level's record file: "Begin"
    std::string_view newRecordText; // followed directly by the winning guess number
};

inline constexpr std::array<LevelInfo, 3> kLevels = {{
    {DifficultyLevel::Beginner, 0, "&Beginner (7 colors)", 7, "Begin",
     "Congratulations! You Have the New Beginner Fastest Time of "},
    {DifficultyLevel::Intermediate, 1, "&Intermediate (11 colors)", 11, "Interm",
     "Congratulations! You Have the New Fastest Intermediate Time of "},
    {DifficultyLevel::Advanced, 2, "&Advanced (15 colors)", 15, "Advance",
     "Congratulations! You Have the New Fastest Advanced Time of "},
}};

inline constexpr int kLevelCount = static_cast<int>(kLevels.size());

// The level every run starts at.
inline constexpr std::int16_t kStartDif = 11;

constexpr const LevelInfo& levelInfo(DifficultyLevel level)
{
    return kLevels[static_cast<std::size_t>(level)];
}

constexpr std::int16_t colourCount(DifficultyLevel level) { return levelInfo(level).colourCount; }

// The level whose colour count is dif; any count but 7, 11 and 15 has none.
constexpr const LevelInfo* levelOfColourCount(int dif)
{
    for (const LevelInfo& info : kLevels) {
        if (info.colourCount == dif) {
            return &info;
        }
    }
    return nullptr;
}

// The level key ("Begin", "Interm", "Advance") of colour count dif, if it has a level.
constexpr std::optional<std::string_view> levelKey(int dif)
{
    if (const LevelInfo* info = levelOfColourCount(dif)) {
        return info->key;
    }
    return std::nullopt;
}

// Whether palette button Cmd<k> is shown when Dif is dif.
constexpr bool paletteButtonShown(int k, int dif) { return k < dif; }

} // namespace tintwise::engine

#include "species/GameConstants.h"

#include "species/SpeciesProfile.h"

#include <array>
#include <cctype>

namespace {

// The effect of a move picks the routine the battle engine runs for it (constants/move_effect_constants.asm).
constexpr std::array<std::string_view, EffectCount> EffectNames{
    "NO_ADDITIONAL_EFFECT",
    "UNUSED_EFFECT_01",
    "POISON_SIDE_EFFECT1",
    "DRAIN_HP_EFFECT",
    "BURN_SIDE_EFFECT1",
    "FREEZE_SIDE_EFFECT",
    "PARALYZE_SIDE_EFFECT1",
    "EXPLODE_EFFECT",
    "DREAM_EATER_EFFECT",
    "MIRROR_MOVE_EFFECT",
    "ATTACK_UP1_EFFECT",
    "DEFENSE_UP1_EFFECT",
    "SPEED_UP1_EFFECT",
    "SPECIAL_UP1_EFFECT",
    "ACCURACY_UP1_EFFECT",
    "EVASION_UP1_EFFECT",
    "PAY_DAY_EFFECT",
    "SWIFT_EFFECT",
    "ATTACK_DOWN1_EFFECT",
    "DEFENSE_DOWN1_EFFECT",
    "SPEED_DOWN1_EFFECT",
    "SPECIAL_DOWN1_EFFECT",
    "ACCURACY_DOWN1_EFFECT",
    "EVASION_DOWN1_EFFECT",
    "CONVERSION_EFFECT",
    "HAZE_EFFECT",
    "BIDE_EFFECT",
    "THRASH_PETAL_DANCE_EFFECT",
    "SWITCH_AND_TELEPORT_EFFECT",
    "TWO_TO_FIVE_ATTACKS_EFFECT",
    "UNUSED_EFFECT_1E",
    "FLINCH_SIDE_EFFECT1",
    "SLEEP_EFFECT",
    "POISON_SIDE_EFFECT2",
    "BURN_SIDE_EFFECT2",
    "UNUSED_EFFECT_23",
    "PARALYZE_SIDE_EFFECT2",
    "FLINCH_SIDE_EFFECT2",
    "OHKO_EFFECT",
    "CHARGE_EFFECT",
    "SUPER_FANG_EFFECT",
    "SPECIAL_DAMAGE_EFFECT",
    "TRAPPING_EFFECT",
    "FLY_EFFECT",
    "ATTACK_TWICE_EFFECT",
    "JUMP_KICK_EFFECT",
    "MIST_EFFECT",
    "FOCUS_ENERGY_EFFECT",
    "RECOIL_EFFECT",
    "CONFUSION_EFFECT",
    "ATTACK_UP2_EFFECT",
    "DEFENSE_UP2_EFFECT",
    "SPEED_UP2_EFFECT",
    "SPECIAL_UP2_EFFECT",
    "ACCURACY_UP2_EFFECT",
    "EVASION_UP2_EFFECT",
    "HEAL_EFFECT",
    "TRANSFORM_EFFECT",
    "ATTACK_DOWN2_EFFECT",
    "DEFENSE_DOWN2_EFFECT",
    "SPEED_DOWN2_EFFECT",
    "SPECIAL_DOWN2_EFFECT",
    "ACCURACY_DOWN2_EFFECT",
    "EVASION_DOWN2_EFFECT",
    "LIGHT_SCREEN_EFFECT",
    "REFLECT_EFFECT",
    "POISON_EFFECT",
    "PARALYZE_EFFECT",
    "ATTACK_DOWN_SIDE_EFFECT",
    "DEFENSE_DOWN_SIDE_EFFECT",
    "SPEED_DOWN_SIDE_EFFECT",
    "SPECIAL_DOWN_SIDE_EFFECT",
    "UNUSED_EFFECT_48",
    "UNUSED_EFFECT_49",
    "UNUSED_EFFECT_4A",
    "UNUSED_EFFECT_4B",
    "CONFUSION_SIDE_EFFECT",
    "TWINEEDLE_EFFECT",
    "UNUSED_EFFECT_4E",
    "SUBSTITUTE_EFFECT",
    "HYPER_BEAM_EFFECT",
    "RAGE_EFFECT",
    "MIMIC_EFFECT",
    "METRONOME_EFFECT",
    "LEECH_SEED_EFFECT",
    "SPLASH_EFFECT",
    "DISABLE_EFFECT",
};

// The experience a Pokémon needs for a level follows one of six formulas (constants/pokemon_data_constants.asm
// names them GROWTH_MEDIUM_FAST and so on).
constexpr std::array<std::string_view, GrowthRateCount> GrowthNames{
    "MEDIUM_FAST", "SLIGHTLY_FAST", "SLIGHTLY_SLOW", "MEDIUM_SLOW", "FAST", "SLOW"};

template <std::size_t N> std::string_view nameIn(const std::array<std::string_view, N>& names, int byte)
{
    return byte >= 0 && byte < static_cast<int>(N) ? names[static_cast<std::size_t>(byte)] : std::string_view();
}

template <std::size_t N> int byteIn(const std::array<std::string_view, N>& names, std::string_view name)
{
    for (std::size_t k = 0; k < N; ++k) {
        if (names[k] == name) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

} // namespace

std::string_view effectName(int effect)
{
    return nameIn(EffectNames, effect);
}

std::string_view growthName(int growth)
{
    return nameIn(GrowthNames, growth);
}

int effectOfName(std::string_view name)
{
    return byteIn(EffectNames, name);
}

int growthOfName(std::string_view name)
{
    return byteIn(GrowthNames, name);
}

std::string inWords(std::string_view constantName)
{
    std::string words;
    for (std::size_t k = 0; k < constantName.size(); ++k) {
        const char c = constantName[k];
        const bool digitAfterLetter = k > 0 && std::isdigit(static_cast<unsigned char>(c)) != 0 &&
                                      std::isalpha(static_cast<unsigned char>(constantName[k - 1])) != 0;
        if (c == '_' || digitAfterLetter) {
            words += ' ';
        }
        if (c != '_') {
            words += static_cast<char>(k == 0 ? c : std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return words;
}

#include "core/Scopes.h"

namespace kelvaro {

std::optional<ApplyScope> ApplyScopeFromNumber(int number) {
    if (number < NumberOf(ApplyScope::SelectedGame) || number > NumberOf(ApplyScope::AllGames)) return std::nullopt;
    return static_cast<ApplyScope>(number);
}

std::optional<GenerateScope> GenerateScopeFromNumber(int number) {
    if (number < NumberOf(GenerateScope::Cancelled) || number > NumberOf(GenerateScope::AllGames)) return std::nullopt;
    return static_cast<GenerateScope>(number);
}

} // namespace kelvaro

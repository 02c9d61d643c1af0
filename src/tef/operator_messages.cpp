#include "tef/operator_messages.h"

#include "core/printer_state.h"

namespace quelfi::tef {

namespace {

platform::PromptAnswer show(std::string_view text, platform::PromptStyle style) {
    return core::state().platform->prompt("", std::string(text), style);
}

}  // namespace

void tellError(std::string_view text) {
    show(text, platform::PromptStyle::Exclamation);
}

bool askYes(std::string_view text) {
    return show(text, platform::PromptStyle::YesNoQuestion) == platform::PromptAnswer::Yes;
}

void tellInformation(std::string_view text) {
    show(text, platform::PromptStyle::Information);
}

void showBriefly(const std::string& text) {
    core::state().platform->showTransientMessage(text);
}

}  // namespace quelfi::tef

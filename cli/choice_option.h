// Options that take one word out of a fixed list, such as --fit crop|fit|stretch.
#pragma once

#include <CLI/CLI.hpp>

#include <map>
#include <string>

// Lets option take only the names in choices, in any case, and stores the value named. The
// help shows the names alone, and a number is refused even where it is a value's index.
template <class T>
CLI::Option* WithChoices(CLI::Option* option, const std::map<std::string, T>& choices) {
    std::string names;
    for (const auto& [name, value] : choices) {
        names += (names.empty() ? "" : "|") + name;
    }
    // Each transform goes before those already there, so the membership test, added last,
    // runs first: the transformer alone would also take a value's own number.
    return option->type_name(names)
        ->transform(CLI::Transformer(choices, CLI::ignore_case).description(""))
        ->transform(CLI::IsMember(choices, CLI::ignore_case).description(""));
}

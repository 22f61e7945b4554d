// Sample models for the settings tests and field-by-field comparison.
#pragma once

#include "model/menu_definition.h"
#include "model/model_state.h"

#include <string>
#include <vector>

namespace tg::test {

// Fills the model with definitions that use every field in unusual ways and
// options that all differ from their initial values.
void fillUnusualModel();

// The fields the settings file holds, with a trace of which definition.
void expectSameStoredFields(const MenuDefinition& actual, const MenuDefinition& expected);
void expectSameOptions(const GlobalOptions& actual, const GlobalOptions& expected);

std::vector<MenuDefinition> copyOfDefinitions();
std::vector<int> levelValues(const MenuDefinition& d);

} // namespace tg::test

#include "model/model_state.h"

#include "model/text.h"

namespace tg {

namespace {
ModelState& instance() {
    static ModelState state;
    return state;
}
} // namespace

ModelState& model() {
    return instance();
}

void resetModel() {
    instance() = ModelState{};
}

void freeDefinitions() {
    ModelState& m = model();
    m.definitionList.clear();
    m.options.mainMenu = nullptr;
    m.editedDefinition = nullptr;
    m.currentDefinition = nullptr;
    m.selectionPath.clear();
}

MenuDefinition* findDefinitionByName(std::string_view name) {
    for (MenuDefinition& d : model().definitionList)
        if (equalIgnoringCase(d.name, name)) return &d;
    return nullptr;
}

const char* nowPlayingText() {
    const auto& file = model().nowPlayingFile;
    return file ? file->c_str() : nullptr;
}

int definitionPosition(const MenuDefinition* definition) {
    int position = 0;
    for (const MenuDefinition& d : model().definitionList) {
        if (&d == definition) return position;
        ++position;
    }
    return -1;
}

std::int32_t layoutRows() {
    return model().options.rowsPerColumn < 1 ? 1 : model().options.rowsPerColumn;
}
std::int32_t layoutColumns() {
    return model().options.columnCount < 1 ? 1 : model().options.columnCount;
}
std::int32_t layoutMoreColumns() {
    return model().options.moreColumnCount < 1 ? 1 : model().options.moreColumnCount;
}

} // namespace tg

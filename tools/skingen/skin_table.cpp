#include "tools/skingen/skin_table.h"

#include "tools/skingen/layout_builders.h"

namespace q804::skingen {

const Element* DialogLayout::Find(const std::string& key) const {
    for (const Element& element : elements) {
        if (element.key == key) {
            return &element;
        }
    }
    return nullptr;
}

const DialogLayout& MainLayout() {
    static const DialogLayout layout = BuildMain();
    return layout;
}

const DialogLayout& CompositeLayout() {
    static const DialogLayout layout = BuildComposite();
    return layout;
}

const DialogLayout& ProfileLayout() {
    static const DialogLayout layout = BuildProfile();
    return layout;
}

}  // namespace q804::skingen

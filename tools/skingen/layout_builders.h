#pragma once

// Small builders used by the layout tables, so that each table row reads as one line.

#include <string>
#include <utility>

#include "tools/skingen/skin_table.h"

namespace q804::skingen {

inline Element Button(std::string key, SkinRect rect, Face face, Icon icon = Icon::kNone,
                      std::string caption = "") {
    Element e;
    e.key = std::move(key);
    e.rect = rect;
    e.kind = Kind::kImageButton;
    e.face = face;
    e.icon = icon;
    e.caption = std::move(caption);
    return e;
}

inline Element Control(std::string key, SkinRect rect, Kind kind, int group,
                       std::string caption = "", std::string picture = "") {
    Element e;
    e.key = std::move(key);
    e.rect = rect;
    e.kind = kind;
    e.group = group;
    e.caption = std::move(caption);
    e.picture = std::move(picture);
    return e;
}

inline Element InGroup(Element e, int group, int imageSet = kSetMain) {
    e.group = group;
    e.imageSet = imageSet;
    return e;
}

DialogLayout BuildMain();
DialogLayout BuildComposite();
DialogLayout BuildProfile();

}  // namespace q804::skingen

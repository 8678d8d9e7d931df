#pragma once

#include "lang/catalogue.h"

#include <array>

namespace modLangue {

// The game window's menus captioned from the catalogue, in the order they are set.
// "Change &Language" is not among them: it reads the same in every language.
struct MenuCaption {
    const char *menu; // objectName of the menu or menu item
    qint16 entree;
};

inline constexpr std::array<MenuCaption, 8> MenuCaptions{{
    {"mnuFichier", MenuFile},
    {"mnuNew", MenuNew},
    {"mnuFinir", MenuFinish},
    {"mnuQuit", MenuQuit},
    {"mnuAide", MenuHelp},
    {"mnuReponse", MenuAnswer},
    {"mnuApropos", MenuAbout},
    {"mnuInfo", MenuInfo},
}};

} // namespace modLangue

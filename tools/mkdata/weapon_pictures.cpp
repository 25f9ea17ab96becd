// SPDX-License-Identifier: GPL-3.0-or-later
// Picks the family drawer for a weapon, monster or explosion picture name.
#include "generators.h"
#include "weapon_common.h"

cairo_surface_t* DrawWeaponPicture(const std::string& fileName) {
  using Drawer = cairo_surface_t* (*)(const std::string&);
  const Drawer drawers[] = {weapon::DrawMissilePicture, weapon::DrawGunPicture, weapon::DrawExplosionPicture,
                            weapon::DrawMonsterPicture, weapon::DrawMiscWeaponPicture};
  for (Drawer draw : drawers) {
    if (cairo_surface_t* picture = draw(fileName)) return picture;
  }
  return nullptr;
}

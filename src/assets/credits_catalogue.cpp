// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/credits_catalogue.h"

#include "assets/asset_loader.h"
#include "assets/objects.h"
#include "media/media.h"

const CataloguePack& CreditsCatalogue() {
  static const CataloguePack pack = {
      creditsPackName,
      {{LoaderKind::texture, obj::creditsTitle, "GFX\\Credits\\Title_Credit.png", -1},
       {LoaderKind::sound, obj::creditsMusic, "GFX\\Credits\\creditskaldovirent.ogg", -1}}};
  return pack;
}

void LoadCreditsAssets() {
  SwitchPack(creditsPackName);
  for (const CatalogueRow& row : CreditsCatalogue().rows) {
    if (row.loader == LoaderKind::sound) {
      LoadPackedSound(row.object, row.fileName);
    } else {
      LoadPackedTexture(row.object, row.fileName);
    }
  }
  SwitchPack(mainPackName);
}

void FreeCreditsAssets() {
  StopSound(obj::creditsMusic);
  FreeSound(obj::creditsMusic);
  FreeSprite3D(obj::creditsTitle);
  FreeSprite(obj::creditsTitle);
}

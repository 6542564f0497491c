// The shop (141): goods to buy and sell, and the drive-tray tools.
#pragma once

#include "world/port.h"

// The goods on offer; each is also its index in shopPrice and shopOwned.
enum ShopItem {
    SHOP_DRIVE_OPENER = 0,
    SHOP_DRIVE_CLOSER = 1,
    SHOP_APARTMENT = 2,
    SHOP_OFFICE_BUILDING = 3,
};

// Opens the shop over the main window; returns when it closes.
void OpenShopDialog();

// Buys one item; a bought tool's button becomes its "use" button. Real
// estate adds to profit and, at a tenth of its price, to property.
void BuyShopItem(DialogHost& dialog, ShopItem item);
// Opens (the opener) or closes (the closer) the drive tray; free, silent.
void UseDriveTool(ShopItem tool);
// Sells one apartment or office building back for a tenth of its price.
void SellProperty(DialogHost& dialog, ShopItem item);

void ShopDialogProc(DialogHost& dialog, DialogEvent event, int id);

#include "influence/shop_dialog.h"

#include <cstdint>

#include "influence/shop_texts.h"
#include "resources/dialog_ids.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_CLOSE = 1;
constexpr int ID_CANCEL = 2;
constexpr int ID_OPENER_PRICE = 1002;
constexpr int ID_CLOSER_PRICE = 1003;
constexpr int ID_APARTMENT_PRICE = 1004;
constexpr int ID_OFFICE_PRICE = 1005;
constexpr int ID_APARTMENT_COUNT = 1007;
constexpr int ID_OFFICE_COUNT = 1008;
constexpr int ID_OPENER = 1017;
constexpr int ID_CLOSER = 1018;
constexpr int ID_BUY_APARTMENT = 1019;
constexpr int ID_BUY_OFFICE = 1020;
constexpr int ID_SELL_APARTMENT = 1021;
constexpr int ID_SELL_OFFICE = 1022;

// Profit each building brings, in 万円.
constexpr int64_t APARTMENT_PROFIT = 100;
constexpr int64_t OFFICE_PROFIT = 500;

bool IsTool(ShopItem item) { return item == SHOP_DRIVE_OPENER || item == SHOP_DRIVE_CLOSER; }

int ToolButton(ShopItem tool) { return tool == SHOP_DRIVE_OPENER ? ID_OPENER : ID_CLOSER; }

int64_t ProfitOf(ShopItem item) { return item == SHOP_APARTMENT ? APARTMENT_PROFIT : OFFICE_PROFIT; }

int CountId(ShopItem item) { return item == SHOP_APARTMENT ? ID_APARTMENT_COUNT : ID_OFFICE_COUNT; }

// Property counts a building at a tenth of its current price.
int64_t BookValue(ShopItem item) { return shopPrice[item] / 10; }

void ShowCount(DialogHost& dialog, ShopItem item) {
    dialog.SetItemText(CountId(item), StrPrintf("%d", shopOwned[item]).c_str());
}

void ShowToolLabel(DialogHost& dialog, ShopItem tool) {
    dialog.SetItemText(ToolButton(tool), shopOwned[tool] != 0 ? TXT_SHOP_USE : TXT_SHOP_BUY);
}

void Fill(DialogHost& dialog) {
    dialog.SetItemText(ID_OPENER_PRICE, StrPrintf("%d", shopPrice[SHOP_DRIVE_OPENER]).c_str());
    dialog.SetItemText(ID_CLOSER_PRICE, StrPrintf("%d", shopPrice[SHOP_DRIVE_CLOSER]).c_str());
    dialog.SetItemText(ID_APARTMENT_PRICE, StrPrintf("%d", shopPrice[SHOP_APARTMENT]).c_str());
    dialog.SetItemText(ID_OFFICE_PRICE, StrPrintf("%d", shopPrice[SHOP_OFFICE_BUILDING]).c_str());
    ShowCount(dialog, SHOP_APARTMENT);
    ShowCount(dialog, SHOP_OFFICE_BUILDING);
    ShowToolLabel(dialog, SHOP_DRIVE_OPENER);
    ShowToolLabel(dialog, SHOP_DRIVE_CLOSER);
    dialog.SetItemText(ID_BUY_APARTMENT, TXT_SHOP_BUY);
}

// A tool's button: a purchase until the tool is owned, then its use.
void ToolButtonPressed(DialogHost& dialog, ShopItem tool) {
    if (shopOwned[tool] != 0) {
        UseDriveTool(tool);
    } else {
        BuyShopItem(dialog, tool);
    }
}

}  // namespace

void OpenShopDialog() { port->OpenDialog(IDD_SHOP, WIN_MAIN); }

void BuyShopItem(DialogHost& dialog, ShopItem item) {
    ListedCompany& me = companies[0];
    const int64_t price = shopPrice[item];
    if (me.funds < price) {
        ShowInfo(WIN_DIALOG, TXT_SHOP_NO_FUNDS, "");
        return;
    }
    // A count at the top of its range cannot take one more: refused before
    // anything is charged.
    if (!IsTool(item) && shopOwned[item] == INT32_MAX) {
        ShowInfo(WIN_DIALOG, TXT_SHOP_TOO_MANY, "");
        return;
    }
    me.funds = SatSub(me.funds, price);
    if (IsTool(item)) {
        shopOwned[item] = 1;
        ShowToolLabel(dialog, item);
    } else {
        shopOwned[item] += 1;
        me.profit = SatAdd(me.profit, ProfitOf(item));
        me.property = SatAdd(me.property, BookValue(item));
        ShowCount(dialog, item);
    }
    ShowInfo(WIN_DIALOG, TXT_SHOP_BOUGHT, "");
}

void UseDriveTool(ShopItem tool) {
    if (!IsTool(tool)) return;
    port->DriveTray(tool == SHOP_DRIVE_OPENER);
}

void SellProperty(DialogHost& dialog, ShopItem item) {
    if (IsTool(item)) return;
    if (shopOwned[item] <= 0) {
        ShowInfo(WIN_DIALOG, TXT_SHOP_NONE_OWNED, "");
        return;
    }
    // Every change is made before the message: the timers run on behind it
    // and must not see the money back while the building still counts.
    ListedCompany& me = companies[0];
    me.funds = SatAdd(me.funds, BookValue(item));
    shopOwned[item] -= 1;
    me.profit = SatSub(me.profit, ProfitOf(item));
    me.property = SatSub(me.property, BookValue(item));
    ShowCount(dialog, item);
    ShowInfo(WIN_DIALOG, TXT_SHOP_SOLD, "");
}

void ShopDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            Fill(dialog);
            break;
        case DLG_COMMAND:
            switch (id) {
                case ID_OPENER: ToolButtonPressed(dialog, SHOP_DRIVE_OPENER); break;
                case ID_CLOSER: ToolButtonPressed(dialog, SHOP_DRIVE_CLOSER); break;
                case ID_BUY_APARTMENT: BuyShopItem(dialog, SHOP_APARTMENT); break;
                case ID_BUY_OFFICE: BuyShopItem(dialog, SHOP_OFFICE_BUILDING); break;
                case ID_SELL_APARTMENT: SellProperty(dialog, SHOP_APARTMENT); break;
                case ID_SELL_OFFICE: SellProperty(dialog, SHOP_OFFICE_BUILDING); break;
                case ID_CLOSE:
                case ID_CANCEL: dialog.Close(id); break;
                default: break;
            }
            break;
        case DLG_TIMER:
        case DLG_PAINT:
            break;
    }
}

#include "corporate/bank_dialog.h"

#include "corporate/bank_texts.h"
#include "resources/dialog_ids.h"
#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"
#include "world/world_state.h"

namespace {

constexpr int ID_OK = 1;
constexpr int ID_CANCEL = 2;
constexpr int TIMER_MS = 500;

// One row of the table per lender.
struct LenderRow {
    int rateField, limitField, amountField, loanField;
    int borrowButton, repayButton;
    const char* borrowed;
    const char* repaid;
};

const LenderRow ROWS[3] = {
    {1111, 1007, 1117, 1120, 1017, 1018, TXT_BANK_BORROWED_0, TXT_BANK_REPAID_0},
    {1112, 1008, 1118, 1121, 1021, 1022, TXT_BANK_BORROWED_1, TXT_BANK_REPAID_1},
    {1113, 1116, 1119, 1122, 1023, 1024, TXT_BANK_BORROWED_2, TXT_BANK_REPAID_2},
};

// The first two lenders' loans are shown as 32-bit numbers: a loan past
// 2^31 shows its low 32 bits, as the game always has.
void ShowLoan(DialogHost& dialog, int k) {
    const int64_t loan = companies[0].loans[k];
    const std::string text = k == 2 ? Int64Text(loan) : StrPrintf("%d", Low32(loan));
    dialog.SetItemText(ROWS[k].loanField, text.c_str());
}

void ShowLoans(DialogHost& dialog) {
    for (int k = 0; k < 3; ++k) ShowLoan(dialog, k);
}

bool ValidLender(int k) { return k >= 0 && k < 3; }

}  // namespace

void OpenBankDialog() { port->OpenDialog(IDD_BANK, WIN_MAIN); }

void Borrow(DialogHost& dialog, int k) {
    if (!ValidLender(k)) return;
    ListedCompany& me = companies[0];
    // No sign check: a negative amount pays the lender back through the
    // same limit test.
    const int64_t a = ParseTypedInt32(dialog.ItemText(ROWS[k].amountField));
    if (SatAdd(me.loans[k], a) > lenderCreditLimit[k]) {
        ShowInfo(WIN_DIALOG, TXT_BANK_OVER_LIMIT, TXT_CAP_REFUSED);
        return;
    }
    // Loan, cash and debt move together before the message box, whose
    // wait lets the calendar's settlement run.
    me.loans[k] = SatAdd(me.loans[k], a);
    me.funds = SatAdd(me.funds, a);
    me.debt = SatAdd(me.debt, a);
    ShowInfo(WIN_DIALOG, ROWS[k].borrowed, "");
    ShowLoan(dialog, k);
}

void Repay(DialogHost& dialog, int k) {
    if (!ValidLender(k)) return;
    ListedCompany& me = companies[0];
    const std::string typed = dialog.ItemText(ROWS[k].amountField);
    // The automatic lender's debts can pass 32 bits, so its repayment is
    // read in 64 bits.
    const int64_t a = k == 2 ? ParseTypedInt64(typed) : static_cast<int64_t>(ParseTypedInt32(typed));
    if (a > me.loans[k]) {
        ShowInfo(WIN_DIALOG, TXT_BANK_REPAY_TOO_MUCH, TXT_CAP_REFUSED);
        return;
    }
    if (a > me.funds) {
        ShowInfo(WIN_DIALOG, TXT_BANK_NOT_ENOUGH_CASH, TXT_CAP_REFUSED);
        return;
    }
    me.loans[k] = SatSub(me.loans[k], a);
    me.funds = SatSub(me.funds, a);
    me.debt = SatSub(me.debt, a);
    ShowInfo(WIN_DIALOG, ROWS[k].repaid, "");
    ShowLoan(dialog, k);
}

void BankDialogProc(DialogHost& dialog, DialogEvent event, int id) {
    switch (event) {
        case DLG_INIT:
            dialog.StartTimer(TIMER_MS);
            for (int k = 0; k < 3; ++k) {
                dialog.SetItemText(ROWS[k].rateField, StrPrintf("%d", lenderInterestRate[k]).c_str());
                dialog.SetItemText(ROWS[k].limitField, StrPrintf("%d", lenderCreditLimit[k]).c_str());
            }
            ShowLoans(dialog);
            return;
        case DLG_TIMER:
            // Interest and automatic borrowing change the loans behind the dialog.
            ShowLoans(dialog);
            return;
        case DLG_COMMAND:
            if (id == ID_OK || id == ID_CANCEL) {
                dialog.Close(id);
                return;
            }
            for (int k = 0; k < 3; ++k) {
                if (id == ROWS[k].borrowButton) Borrow(dialog, k);
                if (id == ROWS[k].repayButton) Repay(dialog, k);
            }
            return;
        case DLG_PAINT:
            return;
    }
}

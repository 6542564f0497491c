// The dialog resources of the program, by their resource ids: the rules
// open dialogs by these numbers and the hosts build them from the templates
// of the same ids.
#pragma once

constexpr int IDD_ABOUT = 103;
constexpr int IDD_BUY = 130;
constexpr int IDD_SELL = 131;
constexpr int IDD_FOUNDING = 132;
constexpr int IDD_BANK = 133;
constexpr int IDD_CASINO = 134;
constexpr int IDD_MEDIA = 135;
constexpr int IDD_UNIVERSITY = 136;
constexpr int IDD_HEADQUARTERS = 138;
constexpr int IDD_OTHER_COMPANY = 139;
constexpr int IDD_ELECTION = 140;
constexpr int IDD_SHOP = 141;
constexpr int IDD_MILITARY = 142;
constexpr int IDD_MEETING = 143;
constexpr int IDD_WAR = 144;
constexpr int IDD_RANKING = 145;
constexpr int IDD_SAVE_LOAD = 146;
constexpr int IDD_POLICE = 147;
constexpr int IDD_DETENTION = 165;
constexpr int IDD_RACE = 166;
constexpr int IDD_MISSILE = 167;

#pragma once
// The set page's controls as one set record, and the enabling rules that
// hold after every change of its radio buttons and of the proxy box.

#include "app/MainView.h"
#include "store/SetRecord.h"

namespace quorvin {

// The shown set: the page's controls, the chosen adapter and the caption of
// tab index.
TSetRecord ReadPage(MainView& view, int index);

// Puts every value of set into the page's controls (the caption and the tab
// are the caller's), then applies the rules as clicks would.
void WritePage(MainView& view, const TSetRecord& set);

// Selects one radio button of a pair and clears the other, then applies the
// rules, as a click on it does.
void SelectRadio(MainView& view, PageControl selected);

// The IP, coupling and DNS rules: the address fields of an automatic choice
// are disabled, and a fixed IP address forces fixed DNS servers.
void ApplyChoiceRules(MainView& view);

// The proxy address and port with their labels.
void EnableProxyControls(MainView& view, bool enabled);

// The proxy box set to checked, with the effect of a click.
void SetUseProxy(MainView& view, bool checked);

// True when any of the eight item tick boxes is set.
bool AnyItemTicked(MainView& view);

} // namespace quorvin

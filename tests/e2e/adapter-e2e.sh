#!/usr/bin/env bash
# Quorvin.exe as a whole over the simulated network: the settings that a
# switch applied are read back from the adapter, and a set finds its adapter
# by GUID. Sourced by run-e2e.sh after quorvin-e2e.sh, whose helpers
# (probe, new_folder, start, finish) it uses.

# A value of a section of an INI file.
ini_value() { # file section key
  tr -d '\r' < "$1" | awk -F= -v section="[$2]" -v key="$3" '
    $0 == section { inside = 1; next }
    /^\[/ { inside = 0 }
    inside && $1 == key { print substr($0, length(key) + 2); exit }'
}
adapter_value() { ini_value "$folder/network/network.ini" "Adapter$1" "$2"; } # adapter, key
# A command-line run has ended once its window is gone; its exit code is
# not looked at here.
run_ends() { ended 60 && { wait "$quorvin"; true; }; }
# Every line from the first set section on: what a save of a set changes.
set_lines() { tr -d '\r' < "$folder/data.ini" | sed -n '/^\[0\]$/,$p'; }

wired_guid=$(ini_value "$demo/network.ini" Adapter0 GUID)
wireless_guid=$(ini_value "$demo/network.ini" Adapter1 GUID)
# Four sets: all four adapter items on the first adapter; a set whose
# adapter moved to the second place; a set written before sets kept the GUID;
# a set whose adapter is not there.
sets=$(mktemp)
cat >"$sets" <<INI
[Options]
DefaultTab=1
TabCount=4
AskBeforeExit=1
[0]
Caption=Wired
NetworkAdapter=0
NetworkAdapterGuid=$wired_guid
EnableIP=1
UseIP=1
IP=10.20.30.41
SubnetMask=255.255.255.0
Gateway=10.20.30.1
DnsServer=1
UseDnsServer=1
PreferredDns=10.20.30.2
DnsDomain=1
DnsDomainText=office.example
WinsServer=1
PrimaryWins=10.20.30.4
[1]
Caption=Moved
NetworkAdapter=0
NetworkAdapterGuid=$wireless_guid
EnableIP=1
UseIP=1
IP=10.40.0.7
SubnetMask=255.255.0.0
Gateway=10.40.0.1
[2]
Caption=Old
NetworkAdapter=1
EnableIP=1
UseIP=1
IP=10.50.0.7
SubnetMask=255.255.0.0
Gateway=10.50.0.1
[3]
Caption=Elsewhere
NetworkAdapter=0
NetworkAdapterGuid={0BADF00D-0000-4000-8000-000000000000}
EnableIP=1
UseIP=1
IP=10.60.0.7
SubnetMask=255.255.0.0
Gateway=10.60.0.1
INI

# Settings that the adapter takes without putting them into effect are
# listed, with what the adapter reports, and the dialog waits for OK.
new_folder "$sets"
sed -i '/^\[Adapter0\]/a NotApplied=SetGateways,SetDNSDomain' "$folder/network/network.ini"
start /Wired
# The progress dialog's texts once it says it has finished.
memo_finished() { memo=$(probe texts "Please wait..." 1 2>/dev/null | tr -d '\r'); grep -qx 'Finished!' <<<"$memo"; }
wait_until 60 memo_finished
check "an unapplied gateway is listed with what the adapter reports" \
  grep -qxF '[ IP ]: Accepted, but the adapter reports 10.20.30.41 / 255.255.255.0 / 192.168.1.1' <<<"$memo"
check "an unapplied DNS domain is listed" grep -qxF '[ DNS Domain ]: Accepted, but the adapter reports nothing' <<<"$memo"
check "applied items are not listed" test "$(grep -c '^\[ ' <<<"$memo")" = 2
probe press "Please wait..." OK 10 >/dev/null
check "the run ends after OK" run_ends
finish

new_folder "$sets"
start /Wired
check "a run that reads back as asked ends by itself" wait "$quorvin"
check "the adapter holds the DNS domain" test "$(adapter_value 0 DNSDomain)" = office.example
check "the adapter holds the WINS server" test "$(adapter_value 0 WINSPrimary)" = 10.20.30.4
finish

# The adapter by identity: the GUID wins over the position when its adapter
# is listed; else the position decides, as for a set without a GUID.
for case in "Moved 1 10.40.0.7" "Old 1 10.50.0.7" "Elsewhere 0 10.60.0.7"; do
  read -r name adapter address <<<"$case"
  new_folder "$sets"
  start "/$name"
  check "/$name ends by itself" run_ends
  check "/$name applies to adapter $adapter" test "$(adapter_value "$adapter" IPAddress)" = "$address"
  check "/$name leaves adapter $((1 - adapter)) on DHCP" test "$(adapter_value $((1 - adapter)) DHCPEnabled)" = 1
  finish
done

# Looking at a set, the moved one or the old one, and exiting rewrites no
# set: only a changed set is saved, and the GUID alone changes nothing.
for tab in 1 2; do
  new_folder "$sets"
  sed -i "s/^DefaultTab=1$/DefaultTab=$tab/" "$folder/data.ini"
  before=$(set_lines)
  start
  probe wait visible 60 >/dev/null
  check "set $tab shows the adapter in second place" \
    grep -qF "Wireless Network Connection  (" <(probe texts "Quorvin 3.5" 10)
  quit >/dev/null
  check "exiting over set $tab rewrote no set" test "$(set_lines)" = "$before"
  finish
done
rm -f "$sets"

#include "support/SimulatedLab.h"

#include "support/SampleSets.h"
#include "support/TempFolder.h"

namespace quorvin::test {

void WriteLabNetwork(const std::string& folder, const std::string& adapterLines) {
  WriteBytes(folder + "/network.ini",
             "[Host]\r\nComputerName=OLDNAME\r\nWorkgroup=WORKGROUP\r\nPrinterCount=2\r\n"
             "[Printer0]\r\nName=Office Laser\r\n[Printer1]\r\nName=Lab Inkjet\r\n"
             "[Windows]\r\nDevice=Office Laser,winspool,Ne00:\r\n"
             "[Network]\r\nAdapterCount=1\r\n"
             "[Adapter0]\r\nConnectionName=Local Area Connection\r\nDescription=Simulated Ethernet\r\n"
             "MAC=" + std::string(kLabMac) + "\r\nGUID=" + std::string(kLabGuid) + "\r\nDHCPEnabled=1\r\n" +
                 adapterLines);
}

TSwitchInput LabInput(const TSetRecord& set) {
  return {set, DefaultItemNames(), std::string(kLabMac), std::string(kLabGuid)};
}

} // namespace quorvin::test

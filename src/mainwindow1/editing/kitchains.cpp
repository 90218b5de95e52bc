// Kit chains: the start state of the chain lists.
#include "mainwindow1/mainwindow1.h"

void MainWindow1::initKitChainSet()
{
    // The chain page's kit list shows the names the kits start with.
    kitChainNameList = kitNameList;
    originalKitChainList.clear();
    kitChainList.clear();
    for (int i = 0; i < KIT_CHAIN_ROWS; ++i)
        kitChainList.append(KIT_CHAIN());
}

#include "model/kitchain.h"

#include <cstring>

namespace kitchain {
namespace {
bool isKit(int kit)
{
    return kit >= 1 && kit <= KIT_MAX_COUNT;
}
bool hasChain(const QVector<Chain> &chains, int c)
{
    return c >= 1 && c <= CHAIN_COUNT && c < chains.size();
}
} // namespace

quint8 stepKit(const Chain &entry, int row, int step)
{
    if (row < 0 || row >= KIT_CHAIN_ROWS || step < 0 || step >= STEP_MAX_COUNT)
        return 0;
    const quint8 kit = entry.curKitChain[row][step];
    return isKit(kit) ? kit : 0;
}

void switchOn(QVector<Chain> &chains, int on)
{
    for (int i = 0; i < chains.size(); ++i)
        chains[i].kit_chain = i == on && on != 0 ? 1 : 0;
}

void confirm(QVector<Chain> &chains, int on)
{
    switchOn(chains, on);
    for (int i = 0; i < chains.size(); ++i)
        chains[i].kit_chain_No = quint8(i);
}

void clear(QVector<Chain> &chains, int c)
{
    if (hasChain(chains, c))
        std::memset(chains[c].curKitChain[c], 0, STEP_MAX_COUNT);
}

bool setStep(QVector<Chain> &chains, int c, int step, int kit)
{
    if (!hasChain(chains, c) || step < 0 || step >= STEP_MAX_COUNT || !isKit(kit))
        return false;
    chains[c].curKitChain[c][step] = quint8(kit);
    return true;
}

void swapKitNumbers(QVector<Chain> &chains, int a, int b)
{
    for (int i = 1; i <= CHAIN_COUNT && i < chains.size(); ++i) {
        for (quint8 &step : chains[i].curKitChain[i]) {
            if (step == a)
                step = quint8(b);
            else if (step == b)
                step = quint8(a);
        }
    }
}

bool usesKit(const QVector<Chain> &chains, int kit)
{
    if (!isKit(kit))
        return false;
    for (int i = 0; i < chains.size() && i < KIT_CHAIN_ROWS; ++i) {
        for (quint8 step : chains[i].curKitChain[i]) {
            if (step == kit)
                return true;
        }
    }
    return false;
}

void apply(QVector<Chain> &chains, const QVector<Chain> &received)
{
    for (int i = 0; i < received.size() && i < chains.size() && i < KIT_CHAIN_ROWS; ++i) {
        chains[i].kit_chain = received[i].kit_chain;
        chains[i].kit_chain_No = received[i].kit_chain_No;
        std::memcpy(chains[i].curKitChain[i], received[i].curKitChain[i], STEP_MAX_COUNT);
    }
}

int load(QVector<Chain> &chains, Chain &staging, const QVector<Chain> &loaded)
{
    int on = 0;
    for (int i = 0; i < loaded.size() && i < KIT_CHAIN_ROWS; ++i) {
        staging.kit_chain = loaded[i].kit_chain;
        staging.kit_chain_No = loaded[i].kit_chain_No;
        std::memcpy(staging.curKitChain[i], loaded[i].curKitChain[i], STEP_MAX_COUNT);
        if (i < chains.size())
            chains[i] = staging;
        else
            chains.append(staging);
        if (staging.kit_chain == 1)
            on = staging.kit_chain_No;
    }
    return on;
}

} // namespace kitchain

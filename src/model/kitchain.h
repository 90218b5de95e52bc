#ifndef ZT_MODEL_KITCHAIN_H
#define ZT_MODEL_KITCHAIN_H

// The kit chains without widgets. The editor keeps KIT_CHAIN_ROWS entries;
// chain c (1..CHAIN_COUNT) keeps its steps in row c of entry c. A step holds a
// kit number 1..100, 0 for an empty step.

#include "model/mainwindow1records.h"

#include <QVector>

namespace kitchain {

using Chain = MainWindow1Records::KIT_CHAIN;

constexpr int CHAIN_COUNT = 8;

// The kit on step `step` of row `row` of `entry`; 0 outside the table and for
// a value that is no kit number.
quint8 stepKit(const Chain &entry, int row, int step);

// Chain `on` (1..8) switched on and every other entry off; 0 switches all off.
void switchOn(QVector<Chain> &chains, int on);
// As OK leaves them: entry i numbered i, only chain `on` switched on (0: none).
void confirm(QVector<Chain> &chains, int on);
// Every step of chain c emptied.
void clear(QVector<Chain> &chains, int c);
// Step `step` of chain c set to `kit`; false, and nothing changed, unless the
// chain, the step and the kit (1..100) exist.
bool setStep(QVector<Chain> &chains, int c, int step, int kit);
// Kits a and b (numbers 1..100) change places on every step of chains 1..8.
void swapKitNumbers(QVector<Chain> &chains, int a, int b);
// True when a step of an entry's own row holds kit `kit`.
bool usesKit(const QVector<Chain> &chains, int kit);

// OK received: every entry takes the flag, the number and its own row.
void apply(QVector<Chain> &chains, const QVector<Chain> &received);
// Chains read from a file: each entry takes the flag, the number and its own
// row through `staging`, which then becomes the entry. Returns the number of
// the entry switched on, 0 when none is.
int load(QVector<Chain> &chains, Chain &staging, const QVector<Chain> &loaded);

} // namespace kitchain

#endif

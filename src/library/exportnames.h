#pragma once

#include <QString>

#include <functional>

// File names for sounds written into a folder the user chose.
namespace exportnames {

// `name` as one safe file-name component: "/", "\" and control characters
// become "_"; an empty name, "." and ".." become "SOUND". Other names stay.
QString safeName(const QString &name);

// The first of name.wav, name~1.wav ... name~99.wav that `taken` does not
// refuse; empty when all 100 are taken. A name that ends in ".wav" (any
// letter case) already has its suffix: click1.WAV, click1~1.WAV ...
QString freeName(const QString &name, const std::function<bool(const QString &)> &taken);

} // namespace exportnames

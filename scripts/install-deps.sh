#!/bin/sh
# Installs everything the editor needs to build, run and be tested on Debian 12.
set -e
SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
    build-essential cmake ninja-build pkg-config \
    qtbase5-dev qtbase5-dev-tools qtmultimedia5-dev libqt5multimedia5-plugins \
    libqt5svg5 qttools5-dev qttools5-dev-tools qttranslations5-l10n libqt5xml5 libicu-dev \
    ffmpeg gstreamer1.0-plugins-base gstreamer1.0-plugins-good libgtest-dev libbenchmark-dev \
    xvfb xauth fonts-dejavu-core fonts-noto-cjk util-linux desktop-file-utils dosfstools mtools \
    file lintian appstream unzip

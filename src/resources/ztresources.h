#pragma once

// Registers the embedded images and translations (needed once per process,
// since they live in a static library).
void ztInitResources();

#pragma once
// The Qt application object some Qt classes (the SQL drivers) expect, made once per run.
namespace durvek::fuzz {
void ensureApplication();
}

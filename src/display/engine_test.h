#pragma once
// The engine test: each time the display opens, the two logos slide in while ever larger batches of
// invisible sprites are drawn; the largest batch the machine still draws fast enough sets the
// per-frame draw budgets. A machine below the lower bound is switched to frameskip.

namespace glimmet {

extern int TargetFps; // 60, or 30 with frameskip

void EngineTest(int targetFps, int spriteScale);

} // namespace glimmet

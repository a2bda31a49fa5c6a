#!/usr/bin/env bash
# Draws the small example pictures of the help (data/help/*.png) with Lindor's own
# command line. Run it after a build; the pictures are committed, so only run it again
# when the drawing or the examples change.
#
#   bash scripts/help-pictures.sh [PATH/TO/lindor]     (default: build/src/lindor)
set -euo pipefail
cd "$(dirname "$0")/.."
lindor=${1:-build/src/lindor}
if [ ! -x "$lindor" ]; then
    echo "help-pictures: no program at $lindor; build first (cmake --build build)" >&2
    exit 1
fi
out=data/help
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen

picture() {
    local name=$1
    shift
    "$lindor" --export "$out/$name" --size 240x160 "$@"
    echo "$out/$name"
}

picture function.png --range -3,4,1,-2,5,1 'x^2-x'
picture function-range.png --range -3,4,1,-2,5,1 'x^2-x [-1; 3]'
picture integral.png --range -2,4,1,-2,6,1 --integral 'x^2-x;2;3'
picture several.png --range -5,5,1,-4,4,1 'x^2-2' 'sin x' '2x+1'
picture undefined.png --range -4,4,1,-4,4,1 '1/x' 'sqrt x'
picture degrees.png --degrees --range -360,360,180,-2,2,1 'sin x' 'cos x'
picture derivative.png --range -3,3,1,-4,6,1 'x^3-3x' 'd/dx(x^3-3x)'
picture tangent.png --range -3,3,1,-2,6,1 'x^2' '2x-1'

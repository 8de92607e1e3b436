#!/usr/bin/env bash
# Prints one orbilux-render argument list a line for the seeds FIRST to LAST:
# odd and even sizes, and settings cycling through circles, joined lines,
# pixels, every shape and rotation with every zoom, and single shapes with
# one rotation and one zoom level. Used to check that every build writes the
# same traces.
# Usage: random_runs.sh FIRST LAST TICKS
first=$1 last=$2 ticks=$3
for ((seed = first; seed <= last; seed++)); do
  i=$((seed - first))
  width=$((160 + (seed * 37) % 700)) height=$((120 + (seed * 53) % 500))
  case $((i % 5)) in
    0) settings= ;;
    1) settings="--setting RadiusFactor=0 --setting JoinTheDots=1" ;;
    2) settings="--setting RadiusFactor=0" ;;
    3) settings="--setting ObjectShape=0x1FE --setting ObjectRotation=14 --setting ZoomOption=0x3FE" ;;
    4) settings="--setting ObjectShape=$((2 << (i / 5 % 8))) --setting ObjectRotation=$((2 << (i / 5 % 3)))
                 --setting ZoomOption=$(((2 << (i / 5 % 4)) | 0x3E0)) --setting RadiusFactor=$((4 + i % 7))" ;;
  esac
  echo --seed $seed --width $width --height $height --ticks $ticks $settings
done

# shellcheck shell=bash
# Sourced by the scripts that make the README's pictures, from the source folder: the build and virtual
# display they run on, a dummy JACK server with the demo signal playing, and the grab of the picture.

# on_virtual_display OUT PRESET TARGET...: unless already there, installs the tools, builds the targets and
# runs the calling script again, with OUT, on a virtual display of its own.
on_virtual_display() {
  [ "${QM07_SCREENSHOT_DISPLAY:-}" != 1 ] || return 0
  local out=$1 preset=$2
  shift 2
  tools/install-deps.sh
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target "$@"
  QM07_SCREENSHOT_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$out"
}

# with_dummy_jack NAME: a JACK server of that name on the dummy driver, ended with the script, as are the
# processes in `pids`; `scratch` is a folder removed with it.
with_dummy_jack() {
  scratch=$(mktemp -d)
  pids=()
  trap 'kill "${pids[@]}" 2>/dev/null || true; wait; rm -rf "$scratch"' EXIT
  export JACK_DEFAULT_SERVER=$1
  jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do jack_lsp >/dev/null 2>&1 && break; sleep 0.1; done
}

# play_demo BUILD TO_1,TO_2 FROM_1,FROM_2: the demo signal into those ports until the script ends, and a
# few seconds for the needle to swing with it.
play_demo() {
  "$1/tools/demosynth/demosynth" "$scratch/in.f32" --seconds 8 --rate 48000 >/dev/null
  "$1/tests/standalone/qm07_jack_playrec" "$scratch/in.f32" "$scratch/out.f32" "$2" "$3" >/dev/null &
  pids+=($!)
  sleep 3
}

# grab WIDTHxHEIGHT+X+Y OUT: that part of the screen. The faceplate's fine brushed texture makes a lossless
# file four times larger than a JPEG that looks the same; full chroma keeps the coloured marks sharp.
grab() {
  import -window root -crop "$1" +repage -strip -quality 90 -sampling-factor 4:4:4 "$2"
  echo "wrote $2 ($1, $(stat -c %s "$2") bytes)"
}

# Sourced by the scripts that run Windows programs under Wine, with WINEPREFIX exported: quiet
# Wine, no Mono or Gecko installer, no menu entries on the host's desktop, and $wine to run it.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)

# Wine asks its server for nearly every window operation, and the program and the server wait on
# each other in turn. Spread over two processors, every hand-over wakes an idle one, which costs
# more than the work; kept on one processor, it is a plain switch (1,000 random input events: 14
# to 15 s on two, 3.5 s on one). The tests call this; the start-up benchmark, which measures what
# a user sees, does not. Everything the caller starts afterwards stays on its first processor.
keep_to_one_processor() {
  taskset -cp "$(taskset -cp $$ | sed 's/.*: //; s/[-,].*//')" $$ >/dev/null
}

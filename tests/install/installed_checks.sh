# What an installed program must do, whoever installed it: sourced by install_test.sh and
# package_test.sh with PREFIX (the installed /usr), VERSION and SCRATCH set, and `fail`.

installed_program=$PREFIX/bin/scenario-builder
[ -x "$installed_program" ] || fail "no program at $installed_program"
for module in scenario-desktop.so scenario-plot.so scenario-serve.so; do
    [ -f "$PREFIX/lib/scenario-builder/$module" ] || fail "no module $module in lib/scenario-builder"
    [ ! -e "$PREFIX/bin/$module" ] || fail "the module $module is beside the program"
done

version=$("$installed_program" --version)
[ "$version" = "scenario-builder $VERSION" ] || fail "--version says '$version', not $VERSION"

# The built-in build into a folder, then a picture of it: the drawing module is found from the
# install prefix, not beside the program.
work=$SCRATCH/work
"$installed_program" build --dir "$work" || fail "the built-in build failed"
for file in Valdora_Rova_linea.dat Valdora_Rova_5284.sim Valdora_Rova_5284.dat \
            Valdora_Rova_5284_scheda_treno.txt Valdora_Rova_5284_rallentamenti.txt \
            Valdora_Rova_5284_note.txt; do
    [ -s "$work/$file" ] || fail "the built-in build wrote no $file"
done
"$installed_program" plot --dir "$work" --route Valdora_Rova --train 5284 --out "$work/line.png" ||
    fail "plot failed"
[ "$(head -c 8 "$work/line.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] ||
    fail "plot wrote no PNG"

# The manual page, as man shows it.
manual=$PREFIX/share/man/man1/scenario-builder.1
[ -f "$manual" ] || fail "no manual page"
# Justified lines: the spaces between words are squeezed before looking for them.
shown=$(LC_ALL=C MANWIDTH=100 man -l -P cat "$manual" 2>&1 | tr -s ' ') ||
    fail "man -l failed: $shown"
for words in "SCENARIO-BUILDER(1)" "scenario-builder - build, compile, check" "scenario-builder check PATH..." \
             "--format FORMAT" "--jobs N" "EXIT STATUS"; do
    grep -qF -- "$words" <<<"$shown" || fail "the manual page as man shows it lacks '$words'"
done

# The README and the docs.
for doc in README.md docs/source-formats.md docs/check-in-ci.md docs/scenario.png; do
    [ -f "$PREFIX/share/doc/scenario-builder/$doc" ] || fail "no $doc among the docs"
done

# The completion, loaded as bash-completion loads it the first time the command is completed:
# from the completions folder of the prefix's data folder (XDG_DATA_DIRS names the prefix, as
# it does for any prefix but /usr and /usr/local).
mkdir -p "$SCRATCH/routes"
for source in Lago_linea.txt Lago_101-.txt Lago_102-.txt Monte_linea.txt Monte_7-.txt; do
    : >"$SCRATCH/routes/$source"
done
completed=$(cd "$SCRATCH" && PATH="$PREFIX/bin:$PATH" XDG_DATA_DIRS="$PREFIX/share" \
    bash --norc --noprofile -c '
    source /usr/share/bash-completion/bash_completion
    __load_completion scenario-builder || exit 3
    complete -p scenario-builder | grep -q -- "-F _scenario_builder" || exit 4
    ask() {
        read -ra COMP_WORDS <<<"$1"
        [[ $1 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMPREPLY=()
        _scenario_builder
        echo "$1=> ${COMPREPLY[*]}"
    }
    ask "scenario-builder co"
    ask "scenario-builder check --dir routes --route "
    ask "scenario-builder check --dir routes --route Lago --train "
    ask "scenario-builder check --fo"
    echo "compgen: $(compgen -W "$(scenario-builder --help | sed -n "s/^  \(c[a-z]*\) .*/\1/p")" -- ch)"
') || fail "bash could not load the completion ($?): $completed"
expected="scenario-builder co=> compile
scenario-builder check --dir routes --route => Lago Monte
scenario-builder check --dir routes --route Lago --train => 101 102
scenario-builder check --fo=> --format
compgen: check"
[ "$completed" = "$expected" ] || fail "the completion gave
$completed
instead of
$expected"

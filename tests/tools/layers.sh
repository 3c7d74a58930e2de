#!/usr/bin/env bash
# Includes follow the CMake link graph. A file in a folder of src/ or tools/ may include a header
# of another folder only if a target built from its own folder links a target built from that
# one: directly, or through the PUBLIC/INTERFACE links of what it links. Generated headers belong
# to the target that puts their folder on the include path. Every form of #include counts:
# quotes, angle brackets, paths with "..". No two files include each other, and no .h/.cpp in
# src/ or tools/ passes 450 lines. Nothing here names a folder, so a new one needs no edit.
# usage: layers.sh REPO_ROOT    check a tree
#        layers.sh --self-test  plant each kind of fault in a small tree and see it caught
set -uo pipefail

self_test() {
    local me tmp failed=0
    me=$(readlink -f "${BASH_SOURCE[0]}") && tmp=$(mktemp -d) || return 2
    trap "rm -rf '$tmp'" EXIT
    # Made-up folders, so nothing about the real tree can make these pass. plot links state
    # PRIVATE: plot may use it, what links plot may not.
    mkdir -p "$tmp/clean"/{src/core,src/plot,src/state,tools/tool} && cd "$tmp/clean" || return 2
    cat > CMakeLists.txt <<'EOF'
add_library(zq_version INTERFACE)
target_include_directories(zq_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
configure_file(cmake/Version.h.in ${PROJECT_BINARY_DIR}/generated/zq/Version.h @ONLY)
EOF
    echo 'add_library(zq_core STATIC Core.cpp)' > src/core/CMakeLists.txt
    printf '%s\n' 'add_library(zq_state STATIC State.cpp)' \
        'target_link_libraries(zq_state PUBLIC zq_core)' > src/state/CMakeLists.txt
    printf '%s\n' 'add_library(zq_plot STATIC' '    Plot.cpp)  # the plot' \
        'target_link_libraries(zq_plot PRIVATE zq_state' '    PUBLIC zq_core)' > src/plot/CMakeLists.txt
    printf '%s\n' 'add_executable(zq-tool tool/main.cpp)' \
        'target_link_libraries(zq-tool PRIVATE zq_plot zq_version)' > tools/CMakeLists.txt
    echo '#pragma once' > src/core/Core.h
    echo '#include "core/Core.h"' > src/core/Extra.h
    printf '%s\n' '#include "core/Core.h"' '#include <vector>' > src/core/Core.cpp
    echo '#include "core/Core.h"' > src/state/State.h
    echo '#include "state/State.h"' > src/state/State.cpp
    echo '#include "core/Core.h"' > src/plot/Plot.h
    printf '%s\n' '#include "plot/Plot.h"' '#include "state/State.h"' > src/plot/Plot.cpp
    printf '%s\n' '#include "Tool.h"' '#include "core/Core.h"' '#include "zq/Version.h"' \
        '#include <sys/stat.h>' > tools/tool/main.cpp
    echo '#include "plot/Plot.h"' > tools/tool/Tool.h
    seq 450 | sed 's|.*|// a line|' > tools/tool/Long.h

    if bash "$me" "$tmp/clean" > "$tmp/out"; then echo "clean tree passes"
    else echo "FAILED: the clean tree is refused:"; cat "$tmp/out"; failed=1; fi
    local name file line
    while IFS='|' read -r name file line; do
        rm -rf "$tmp/case" && cp -r "$tmp/clean" "$tmp/case" && echo "$line" >> "$tmp/case/$file"
        bash "$me" "$tmp/case" > "$tmp/out"
        if [ $? -eq 1 ]; then echo "caught $name: $(head -n1 "$tmp/out")"
        else echo "FAILED: $name ($file: $line) not caught"; cat "$tmp/out"; failed=1; fi
    done <<'EOF'
upward include|src/core/Core.cpp|#include "plot/Plot.h"
angle brackets and blanks|src/core/Core.cpp|  #  include <plot/Plot.h>
relative include|src/core/Core.cpp|#include "../plot/Plot.h"
relative include through src|src/core/Core.cpp|#include "../../src/plot/Plot.h"
sibling not linked|src/state/State.cpp|#include "plot/Plot.h"
generated header not linked|src/core/Core.cpp|#include "zq/Version.h"
tool past a PRIVATE link|tools/tool/main.cpp|#include "state/State.h"
src using a tool|src/plot/Plot.cpp|#include "../../tools/tool/Tool.h"
two files include each other|src/core/Core.h|#include "core/Extra.h"
451 lines in a tool header|tools/tool/Long.h|// one line too many
EOF
    return "$failed"
}

[ "${1-}" = --self-test ] && { self_test; exit; }
[ $# -eq 1 ] && cd "$1" && [ -d src ] || { echo "usage: layers.sh REPO_ROOT | --self-test" >&2; exit 2; }

norm() {  # REPLY = path $1 with its "." and ".." folded away
    local IFS=/ part out=()
    for part in $1; do
        case $part in
            '' | .) ;;
            ..) if ((${#out[@]})) && [ "${out[-1]}" != .. ]; then unset 'out[-1]'; else out+=(..); fi ;;
            *) out+=("$part") ;;
        esac
    done
    REPLY="${out[*]}"
}
folder_of() {  # REPLY = the checked folder a repo path lies in: src/X, tools/Y, or src or tools itself
    local top=${1%%/*} rest=${1#*/}
    case $1 in
        src/*/* | tools/*/*) REPLY=$top/${rest%%/*} ;;
        src/* | tools/*) REPLY=$top ;;
        *) REPLY= ;;
    esac
}

# One record per fact in the CMake files: "def T DIR", "src T FILE", "link T VISIBILITY LIB",
# "incdir T DIR" and "gen FILE" for what lands in the build tree.
cmake_facts() {
    awk '
    function norm(p,   n, a, i, k, o, out) {
        n = split(p, a, "/"); k = 0
        for (i = 1; i <= n; i++) {
            if (a[i] == "" || a[i] == ".") continue
            if (a[i] == ".." && k > 0 && o[k] != "..") { k--; continue }
            o[++k] = a[i]
        }
        out = o[1]; for (i = 2; i <= k; i++) out = out "/" o[i]
        return out
    }
    function emit(c,   name, n, a, i, vis) {
        name = substr(c, 1, index(c, "(") - 1); gsub(/[ \t]/, "", name); name = tolower(name)
        c = substr(c, index(c, "(") + 1); sub(/\)[ \t]*$/, "", c)
        gsub(/\$[{](PROJECT|CMAKE)_SOURCE_DIR[}]/, ".", c)
        gsub(/\$[{]CMAKE_CURRENT_SOURCE_DIR[}]/, dir, c)
        gsub(/\$[{](PROJECT|CMAKE)_BINARY_DIR[}]/, "@bin", c)
        gsub(/"/, "", c); gsub(/^[ \t]+|[ \t]+$/, "", c)
        n = split(c, a, /[ \t]+/)
        if (name == "add_library" || name == "add_executable") {
            print "def", a[1], dir
            if (a[2] == "ALIAS") { print "link", a[1], "PUBLIC", a[3]; return }
        }
        if (name == "add_library" || name == "add_executable" || name == "target_sources")
            for (i = 2; i <= n; i++)
                if (a[i] !~ /^[A-Z_]+$/ && a[i] !~ /^\// && a[i] !~ /[$@]/) print "src", a[1], norm(dir "/" a[i])
        if (name == "target_link_libraries") {
            vis = "PUBLIC"  # the plain signature passes links on
            for (i = 2; i <= n; i++) {
                if (a[i] ~ /^(PRIVATE|LINK_PRIVATE)$/) vis = "PRIVATE"
                else if (a[i] ~ /^(PUBLIC|LINK_PUBLIC)$/) vis = "PUBLIC"
                else if (a[i] ~ /^(INTERFACE|LINK_INTERFACE_LIBRARIES)$/) vis = "INTERFACE"
                else if (a[i] !~ /^(debug|optimized|general)$/ && a[i] !~ /[$<>]/) print "link", a[1], vis, a[i]
            }
        }
        if (name == "target_include_directories")
            for (i = 2; i <= n; i++) if (a[i] ~ /^@bin\//) print "incdir", a[1], a[i]
        if (name == "configure_file" && a[2] ~ /^@bin\//) print "gen", a[2]
    }
    FNR == 1 { dir = FILENAME; if (!sub(/\/[^\/]*$/, "", dir)) dir = "."; c = ""; depth = 0 }
    {
        sub(/#.*/, "")
        if (c == "" && $0 !~ /^[ \t]*[A-Za-z_0-9]+[ \t]*\(/) next
        c = c " " $0
        depth += gsub(/\(/, "(") - gsub(/\)/, ")")
        if (depth <= 0) { emit(c); c = ""; depth = 0 }
    }' "$@"
}

declare -A owns links pub reach gen
own() {  # the folder of path $1 builds target $2
    folder_of "$1"
    [ -n "$REPLY" ] && [[ "${owns[$REPLY]-} " != *" $2 "* ]] && owns[$REPLY]+=" $2"
}
incdirs=() gens=()
while read -r kind t a b; do
    case $kind in
        def) own "$a/CMakeLists.txt" "$t" ;;
        src) own "$a" "$t" ;;
        link) links[$t]+=" $b"; [ "$a" = PRIVATE ] || pub[$t]+=" $b" ;;
        incdir) incdirs+=("$t $a") ;;
        gen) gens+=("$t") ;;
    esac
done < <(cmake_facts $(find CMakeLists.txt cmake src tools \( -name CMakeLists.txt -o -name '*.cmake' \) 2>/dev/null) < /dev/null)
for i in "${incdirs[@]}"; do
    for g in "${gens[@]}"; do [[ $g == "${i#* }"/* ]] && gen[${g#"${i#* }"/}]=${i%% *}; done
done

reach_of() {  # REPLY = " T ... ": folder $1's targets, what they link, and what that passes on
    [ -n "${reach[$1]+set}" ] && { REPLY=${reach[$1]}; return; }
    local t seen=" " todo=()
    for t in ${owns[$1]-}; do seen+="$t "; todo+=(${links[$t]-}); done
    while ((${#todo[@]})); do
        t=${todo[-1]}; unset 'todo[-1]'
        [[ $seen == *" $t "* ]] && continue
        seen+="$t "; todo+=(${pub[$t]-})
    done
    reach[$1]=$seen; REPLY=$seen
}
links_one_of() {  # folder $1 reaches one of the targets $2
    local t
    reach_of "$1"
    for t in $2; do [[ $REPLY == *" $t "* ]] && return 0; done
    return 1
}

bad=0
edges=
mapfile -t files < <(find src tools -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
while IFS= read -r hit; do
    file=${hit%%:*}; rest=${hit#*:}; line=${rest%%:*}
    [[ ${rest#*:} =~ include[[:space:]]*([\"\<])([^\"\>]+) ]] || continue
    quote=${BASH_REMATCH[1]}; path=${BASH_REMATCH[2]}; here=${file%/*}
    folder_of "$file"; from=$REPLY
    # As the compiler looks: a quoted name beside the file first, then src/ on the include path.
    if [[ $path == ./* || $path == ../* ]] || { [ "$quote" = '"' ] && [ -e "$here/$path" ]; }; then
        norm "$here/$path"
    elif [[ $path == */* ]] && [ -d "src/${path%%/*}" ]; then
        norm "src/$path"
    else
        if [ -n "${gen[$path]-}" ] && ! links_one_of "$from" "${gen[$path]}"; then
            echo "$file:$line: includes $path of ${gen[$path]}, which no target of $from links"; bad=1
        fi
        continue  # the system's, Qt's or the standard library's
    fi
    target=$REPLY
    [ -f "$target" ] && edges+="$file $target"$'\n'
    folder_of "$target"; to=$REPLY
    [ -z "$to" ] || [ "$to" = "$from" ] || links_one_of "$from" "${owns[$to]-}" || {
        echo "$file:$line: includes $target, but no target of $from links one of $to"; bad=1
    }
done < <(grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' -- "${files[@]}")

cycles=$(printf '%s' "$edges" | awk '{ e[$1 " " $2] = 1 }
    END { for (k in e) { split(k, f, " "); if (f[1] < f[2] && ((f[2] " " f[1]) in e)) print f[1] " and " f[2] " include each other" } }')
[ -n "$cycles" ] && echo "$cycles" && bad=1

while read -r lines file; do
    [ "$file" = total ] && continue
    [ "$lines" -gt 450 ] && echo "$file: $lines lines (more than 450)" && bad=1
done < <(wc -l -- "${files[@]}")

[ "$bad" -eq 0 ] && echo "layers hold"
exit "$bad"

# How many jobs the build and the tests run at once: LW_JOBS when it is a
# whole number from 1 up (fewer on a shared machine), else one per processor
# (more only slow each other down). Sourced by build.sh and test.sh.
jobs_wanted() {
    case ${LW_JOBS:-} in
    '' ) nproc ;;
    *[!0-9]* | 0*)
        echo "LW_JOBS must be a whole number from 1 up, not '$LW_JOBS'" >&2
        return 1
        ;;
    *) echo "$LW_JOBS" ;;
    esac
}

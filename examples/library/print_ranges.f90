! Prints the title of a data file and the range of each of its variables,
! read through the installed Zan data library. Every argument of the library
! is passed by reference, as Fortran passes them.
!
!   gfortran print_ranges.f90 $(pkg-config --libs zan) -o print_ranges_f
!   ./print_ranges_f run.csv
program print_ranges
    use, intrinsic :: iso_c_binding, only: c_int32_t, c_double
    implicit none

    integer, parameter :: path_len = 255, name_len = 80, max_vars = 5000

    interface
        subroutine dopen(file, path, names, title, nvar, nstored, nrows, step, status, close_status) bind(C)
            import :: c_int32_t
            integer(c_int32_t), intent(inout) :: file, nvar, nstored, nrows, step, status, close_status
            integer(c_int32_t), intent(in) :: path(*)
            integer(c_int32_t), intent(inout) :: names(*), title(*)
        end subroutine
        subroutine dclos(result) bind(C)
            import :: c_int32_t
            integer(c_int32_t), intent(out) :: result
        end subroutine
        subroutine drang(file, var, upper, lower, magnitude) bind(C)
            import :: c_int32_t, c_double
            integer(c_int32_t), intent(in) :: file, var
            real(c_double), intent(inout) :: upper, lower, magnitude
        end subroutine
    end interface

    character(len=path_len) :: arg
    integer(c_int32_t) :: path(path_len), title(name_len)
    integer(c_int32_t), allocatable :: names(:)
    integer(c_int32_t) :: file, nvar, nstored, nrows, step, status, close_status, done, v
    real(c_double) :: upper, lower, magnitude
    integer :: i, arglen

    if (command_argument_count() /= 1) then
        write (0, '(a)') 'usage: print_ranges_f FILE'
        stop 2
    end if
    call get_command_argument(1, arg, arglen)
    if (arglen > path_len) then
        write (0, '(a)') 'usage: print_ranges_f FILE'
        stop 2
    end if

    do i = 1, path_len
        path(i) = ichar(arg(i:i))
    end do
    title = ichar(' ')
    allocate (names(max_vars * name_len))
    names = ichar(' ')

    file = 1
    step = 1
    status = 0
    call dclos(done)
    call dopen(file, path, names, title, nvar, nstored, nrows, step, status, close_status)
    if ((status /= 0 .and. status /= -1) .or. nvar < 1) then
        write (0, '(a,a,a,i0,a)') 'print_ranges_f: ', trim(arg), ' not loaded (status ', status, ')'
        stop 1
    end if

    write (*, '(a,a)') 'title: ', trim(text_of(title))
    write (*, '(a,i0)') 'variables: ', nvar
    write (*, '(a,i0)') 'samples: ', nstored
    do v = 1, nvar
        call drang(file, v, upper, lower, magnitude)
        write (*, '(a,1x,a,1x,a)') trim(text_of(names((v - 1) * name_len + 1 : v * name_len))), &
            trim(fixed3(lower)), trim(fixed3(upper))
    end do
    call dclos(done)

contains

    ! The characters of an array of character codes.
    function text_of(codes) result(text)
        integer(c_int32_t), intent(in) :: codes(:)
        character(len=size(codes)) :: text
        integer :: k
        do k = 1, size(codes)
            text(k:k) = achar(iand(codes(k), 255))
        end do
    end function

    ! A value with three decimals and a leading zero, as C's "%.3f" writes it.
    function fixed3(x) result(text)
        real(c_double), intent(in) :: x
        character(len=40) :: text
        write (text, '(f0.3)') x
        text = adjustl(text)
        if (text(1:1) == '.') then
            text = '0' // text(1:len(text) - 1)
        else if (text(1:2) == '-.') then
            text = '-0' // text(2:len(text) - 1)
        end if
    end function
end program

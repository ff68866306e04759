! Prints reference cases for the numeric edit descriptors Iw, Fw.d and
! kPEw.dEe as gfortran writes them. One case per line:
!   <type> <descriptor> <value> |<output>|
! Integers are written as Iw, Iw.m and I0.m.
! type I: value is the decimal integer; R4/R8: value is the IEEE bit
! pattern in hexadecimal. Type REC gives a whole record: the format, its
! items (texts quoted, integers bare, separated by commas) and the record as
! written to a file, to show where nX items lengthen a record. Regenerate with tests/tools/make_fortran_edit_cases.sh.
program fortran_edit_cases
    implicit none
    integer, parameter :: dp = kind(1.0d0)
    integer :: i, j, u
    integer, parameter :: nint_vals = 17
    integer :: ivals(nint_vals) = [0, 1, -1, 7, -7, 12, 99, 100, -99, 12345, -12345, &
                                   99999999, 100000000, -9999999, 2147483647, -2147483647, &
                                   -2147483647 - 1]
    integer, parameter :: niw = 9
    integer :: iw(niw) = [0, 1, 2, 3, 5, 6, 8, 11, 12]
    integer, parameter :: nr4 = 44
    real :: r4(nr4)
    real(dp), parameter :: r8vals(16) = [0.0_dp, 1.0_dp, -1.0_dp, 0.1_dp, 0.125_dp, 2.5_dp, &
        -2.5_dp, 0.05_dp, 123.456_dp, -123.456_dp, 1.0e-100_dp, 1.0e100_dp, 9.995_dp, &
        3.141592653589793_dp, 999.9995_dp, 1.7976931348623157e308_dp]
    integer, parameter :: nf = 15
    integer :: fw(nf) = [10, 8, 5, 4, 3, 3, 2, 1, 6, 12, 20, 7, 4, 9, 11]
    integer :: fd(nf) = [3, 2, 2, 2, 2, 0, 0, 0, 0, 6, 10, 1, 1, 4, 0]
    integer, parameter :: ne = 16
    integer :: ek(ne) = [0, 0, 1, 1, 0, 2, -1, -2, 1, 0, 1, 0, 3, 1, 0, 1]
    integer :: ew(ne) = [10, 12, 12, 10, 10, 12, 12, 12, 9, 15, 15, 8, 12, 7, 9, 11]
    integer :: ed(ne) = [3, 4, 4, 3, 3, 4, 4, 4, 2, 7, 7, 1, 3, 1, 3, 4]
    integer :: ee(ne) = [2, 2, 2, 3, 2, 2, 2, 2, 1, 3, 3, 1, 2, 1, 2, 4]
    real :: zero4, inf4, nan4
    real(dp) :: zero8

    zero4 = 0.0
    zero8 = 0.0_dp
    inf4 = huge(zero4)
    inf4 = inf4 * 10.0
    nan4 = inf4 - inf4
    r4 = [0.0, -zero4, 1.0, -1.0, 0.5, -0.5, 0.125, 0.375, 2.5, 3.5, -2.5, 0.05, 0.005, &
          0.0049, 0.999, 9.995, 99.95, 123.456, -123.456, 1234567.0, 1.0e10, -1.0e10, &
          1.0e-10, 3.4e38, tiny(zero4), 0.0, 0.1, 0.3333333, 2.0/3.0, 3.1415927, &
          -3.1415927, 1.0e6, 999999.5, 0.001, -0.001, -0.004, 65504.0, 0.95, 9.5, 99.5, &
          -0.05, inf4, -inf4, nan4]
    r4(2) = sign(0.0, -1.0)
    r4(26) = transfer(1, zero4) ! smallest subnormal

    do i = 1, nint_vals
        do j = 1, niw
            call put_int(ivals(i), iw(j))
        end do
    end do
    do i = 1, nint_vals
        call put_int_m(ivals(i), 2, 2)
        call put_int_m(ivals(i), 5, 3)
        call put_int_m(ivals(i), 10, 10)
        call put_int_m(ivals(i), 3, 0)
    end do
    do i = 1, nr4
        do j = 1, nf
            call put_r4(r4(i), fw(j), fd(j), 0, 0, .false.)
        end do
        do j = 1, ne
            call put_r4(r4(i), ew(j), ed(j), ee(j), ek(j), .true.)
        end do
    end do
    do i = 1, size(r8vals)
        do j = 1, nf
            call put_r8(r8vals(i), fw(j), fd(j), 0, 0, .false.)
        end do
        do j = 1, ne
            call put_r8(r8vals(i), ew(j), ed(j), ee(j), ek(j), .true.)
        end do
    end do
    ! Negative double zero and values near a rounding boundary.
    call put_r8(sign(zero8, -1.0_dp), 8, 3, 0, 0, .false.)
    call put_r8(sign(zero8, -1.0_dp), 10, 3, 2, 1, .true.)
    call put_r8(0.0005_dp, 6, 3, 0, 0, .false.)
    call put_r8(0.0015_dp, 6, 3, 0, 0, .false.)
    call put_r8(-0.0005_dp, 6, 3, 0, 0, .false.)
    ! Digits that single precision would change.
    call put_r8(347433.737_dp, 10, 3, 0, 0, .false.)
    call put_r8(-347433.737_dp, 11, 3, 0, 0, .false.)
    call put_r8(12345678.9_dp, 12, 3, 0, 0, .false.)
    call put_r8(12345678901.0_dp, 12, 0, 0, 0, .false.)
    call put_r8(0.1_dp, 20, 17, 0, 0, .false.)
    call put_r8(123456789.0_dp, 12, 1, 0, 0, .false.)
    call put_r8(347433.737_dp, 12, 5, 2, 1, .true.)
    call put_r8(12345678901.0_dp, 17, 10, 2, 1, .true.)
    ! Ew.d without exponent digits: three-digit exponents drop the letter.
    do i = 1, size(r8vals)
        call put_r8(r8vals(i), 10, 3, 0, 0, .true.)
        call put_r8(r8vals(i), 11, 3, 0, 1, .true.)
    end do
    call put_r8(1.5e150_dp, 10, 3, 0, 0, .true.)
    call put_r8(-1.5e-300_dp, 11, 3, 0, 1, .true.)
    ! I0.m: the smallest positive width; I0.0 of zero is one blank.
    do i = 1, nint_vals
        call put_int_0m(ivals(i), 0)
        call put_int_0m(ivals(i), 1)
        call put_int_0m(ivals(i), 3)
    end do
    ! Blanks of nX reach the record only when an item follows them.
    open (newunit=u, status='scratch', form='formatted')
    call rec_none(u, '(2X)')
    call rec_a(u, '(A,2X)', '')
    call rec_a(u, '(A,2X)', 'ab')
    call rec_a(u, '(2X,A)', 'ab')
    call rec_a(u, '(A,3X,2X)', 'ab')
    call rec_aa(u, '(A,2X,A)', 'ab', '')
    call rec_aa(u, '(A,2X,A)', 'ab', 'cd')
    call rec_aa(u, '(A,2X,A,3X)', 'ab', '')
    call rec_aa(u, '(A,2X,A,3X)', 'ab', 'cd')
    call rec_ai(u, '(A,2X,I0.0)', 'ab', 0)
    call rec_ai(u, '(A,2X,I3)', '', 7)
    call rec_ai(u, '(A,I3,4X)', 'ab', 7)
    close (u)

contains

    subroutine put_int(v, w)
        integer, intent(in) :: v, w
        character(len=40) :: fmt, out
        write (fmt, '(A,I0,A)') '(I', w, ')'
        write (out, fmt) v
        write (*, '(A,1X,A,1X,I0,1X,A)') 'I', trim(fmt), v, '|' // out(1:field_len(out, w)) // '|'
    end subroutine

    subroutine put_int_m(v, w, m)
        integer, intent(in) :: v, w, m
        character(len=40) :: fmt, out
        write (fmt, '(A,I0,A,I0,A)') '(I', w, '.', m, ')'
        write (out, fmt) v
        write (*, '(A,1X,A,1X,I0,1X,A)') 'I', trim(fmt), v, '|' // out(1:w) // '|'
    end subroutine

    subroutine put_int_0m(v, m)
        integer, intent(in) :: v, m
        character(len=40) :: fmt, line_fmt
        write (fmt, '(A,I0,A)') '(I0.', m, ')'
        write (line_fmt, '(A,I0,A)') '(A,1X,A,1X,I0,1X,A,I0.', m, ',A)'
        write (*, line_fmt) 'I', trim(fmt), v, '|', v, '|'
    end subroutine

    subroutine put_rec(u, fmt, items)
        integer, intent(in) :: u
        character(len=*), intent(in) :: fmt, items
        character(len=200) :: record
        integer :: n, ios
        rewind (u)
        record = ''
        n = 0
        read (u, '(A)', advance='no', size=n, iostat=ios) record
        write (*, '(A,1X,A,1X,A,1X,A)') 'REC', fmt, items, '|' // record(1:n) // '|'
        rewind (u)
    end subroutine

    subroutine rec_none(u, fmt)
        integer, intent(in) :: u
        character(len=*), intent(in) :: fmt
        write (u, fmt)
        call put_rec(u, fmt, '-')
    end subroutine

    subroutine rec_a(u, fmt, a)
        integer, intent(in) :: u
        character(len=*), intent(in) :: fmt, a
        write (u, fmt) a
        call put_rec(u, fmt, "'" // a // "'")
    end subroutine

    subroutine rec_aa(u, fmt, a, b)
        integer, intent(in) :: u
        character(len=*), intent(in) :: fmt, a, b
        write (u, fmt) a, b
        call put_rec(u, fmt, "'" // a // "','" // b // "'")
    end subroutine

    subroutine rec_ai(u, fmt, a, i)
        integer, intent(in) :: u, i
        character(len=*), intent(in) :: fmt, a
        character(len=12) :: number
        write (u, fmt) a, i
        write (number, '(I0)') i
        call put_rec(u, fmt, "'" // a // "'," // trim(number))
    end subroutine

    integer function field_len(out, w)
        character(len=*), intent(in) :: out
        integer, intent(in) :: w
        if (w > 0) then
            field_len = w
        else
            field_len = len_trim(out)
        end if
    end function

    subroutine make_fmt(fmt, w, d, e, k, expo)
        character(len=*), intent(out) :: fmt
        integer, intent(in) :: w, d, e, k
        logical, intent(in) :: expo
        if (expo .and. e == 0) then
            write (fmt, '(A,I0,A,I0,A,I0,A)') '(', k, 'PE', w, '.', d, ')'
        else if (expo) then
            write (fmt, '(A,I0,A,I0,A,I0,A,I0,A)') '(', k, 'PE', w, '.', d, 'E', e, ')'
        else
            write (fmt, '(A,I0,A,I0,A)') '(F', w, '.', d, ')'
        end if
    end subroutine

    subroutine put_r4(x, w, d, e, k, expo)
        real, intent(in) :: x
        integer, intent(in) :: w, d, e, k
        logical, intent(in) :: expo
        character(len=40) :: fmt, out
        integer :: ios
        call make_fmt(fmt, w, d, e, k, expo)
        write (out, fmt, iostat=ios) x
        if (ios /= 0) return
        write (*, '(A,1X,A,1X,Z8.8,1X,A)') 'R4', trim(fmt), transfer(x, 0), '|' // out(1:w) // '|'
    end subroutine

    subroutine put_r8(x, w, d, e, k, expo)
        real(dp), intent(in) :: x
        integer, intent(in) :: w, d, e, k
        logical, intent(in) :: expo
        character(len=40) :: fmt, out
        integer :: ios
        call make_fmt(fmt, w, d, e, k, expo)
        write (out, fmt, iostat=ios) x
        if (ios /= 0) return
        write (*, '(A,1X,A,1X,Z16.16,1X,A)') 'R8', trim(fmt), transfer(x, 0_8), '|' // out(1:w) // '|'
    end subroutine

end program fortran_edit_cases
